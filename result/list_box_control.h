// A list box as a fill changes it (lookup/list_filling.h): the rows go in as
// Unicode text converted from code page 932, a slice at a time, drawn once
// per slice.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "framework/list_box.h"
#include "lookup/list_filling.h"

class CListBoxControl final : public lookup::ListControl {
 public:
  explicit CListBoxControl(CListBox& list) : m_list(list) {}

  void BeginChanges() override;
  void EndChanges() override;
  void Reset() override;
  void Append(std::string_view row) override;
  void InsertAt(size_t index, std::string_view row) override;
  void RemoveAt(size_t index) override;
  void Reserve(size_t rows) override;
  void Resize(int32_t width, int32_t height) override;
  void SetExtent(int32_t pixels) override;

 private:
  void Insert(WPARAM index, std::string_view row);

  CListBox& m_list;
  std::wstring m_text;  // one row's text, converted; kept to spare an allocation per row
};
