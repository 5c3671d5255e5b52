// A list box as a fill changes it (lookup/list_filling.h): the rows go in as
// Unicode text converted from code page 932, a slice at a time, drawn once
// per slice, and come back out converted again.
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
  bool Append(std::string_view row) override;
  bool InsertAt(size_t index, std::string_view row) override;
  void RemoveAt(size_t index) override;
  std::string RowText(size_t index) override;
  void Reserve(size_t rows) override;
  void Resize(int32_t width, int32_t height) override;
  void SetExtent(int32_t pixels) override;

 private:
  bool Insert(WPARAM index, std::string_view row);

  CListBox& m_list;
  // One row's text, converted there and back; kept to spare allocations per row.
  std::wstring m_text;
  std::string m_back;
};
