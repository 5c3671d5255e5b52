// How a list goes from an earlier listing's rows to a new one's, a slice at
// a time, with the limits the program fills its lists with.
#include "lookup/list_filling.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace lookup {
namespace {

class Rows final : public PieceSource {
 public:
  explicit Rows(std::vector<std::string> rows) : rows_(std::make_shared<std::vector<std::string>>(std::move(rows))) {}
  bool Next(size_t most, std::vector<std::string_view>& texts, std::shared_ptr<const void>& keep) override {
    for (; most > 0 && next_ < rows_->size(); --most) texts.push_back((*rows_)[next_++]);
    keep = rows_;
    return true;
  }
  size_t Remaining() const override { return rows_->size() - next_; }

 private:
  std::shared_ptr<std::vector<std::string>> rows_;
  size_t next_ = 0;
};

struct Recorded final : ListControl {
  void BeginChanges() override {}
  void EndChanges() override {}
  void Reset() override { rows.clear(), ++resets; }
  bool Append(std::string_view row) override { return rows.emplace_back(row), true; }
  bool InsertAt(size_t index, std::string_view row) override { return rows.emplace(rows.begin() + index, row), true; }
  void RemoveAt(size_t index) override { rows.erase(rows.begin() + index); }
  std::string RowText(size_t index) override { return rows[index]; }
  void Reserve(size_t more) override { reserved.push_back({rows.size(), more}); }
  void Resize(int32_t, int32_t) override {}
  void SetExtent(int32_t) override {}
  std::vector<std::string> rows;
  int resets = 0;
  std::vector<std::pair<size_t, size_t>> reserved;  // rows held then, rows asked room for
};

std::vector<std::string> Numbered(const char* word, size_t count) {
  std::vector<std::string> rows;
  for (size_t i = 0; i < count; ++i) rows.push_back(word + std::to_string(i) + "\n");
  return rows;
}

TEST(ListFillingTest, FromAnEarlierListingToANewOne) {
  const FillLimits limits;
  struct Case {
    const char* what;
    size_t earlier, rows;
    size_t atOnce;  // rows of the new listing in the list after the lookup's own message
    bool emptiedAtOnce;
  };
  const Case cases[] = {
      {"a short listing goes in at once", 0, 40, 40, true},
      {"a long one: its first screen", 0, 100000, limits.rowsAtOnce, true},
      {"an earlier listing of many rows is emptied at once", limits.emptiedAtOnce, 3, 3, true},
      {"of more, it leaves from the end below the new first screen", limits.emptiedAtOnce + 1, 40,
       limits.screenRows, false},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    Recorded list;
    ListFilling filling(list);
    WorkBudget everything = WorkBudget::Unlimited();
    filling.Start(ListFeed(static_cast<int32_t>(c.earlier), std::make_unique<Rows>(Numbered("old", c.earlier))));
    filling.Fill(everything);
    const std::vector<std::string> rows = Numbered("new", c.rows);
    filling.Start(ListFeed(static_cast<int32_t>(c.rows), std::make_unique<Rows>(rows)));
    WorkBudget none = WorkBudget::Units(0);
    EXPECT_EQ(ListFilling::Filled::kMore == filling.Fill(none), c.rows > c.atOnce || !c.emptiedAtOnce);
    EXPECT_EQ(list.resets, c.emptiedAtOnce ? 2 : 1);
    EXPECT_EQ(std::vector<std::string>(list.rows.begin(), list.rows.begin() + c.atOnce),
              std::vector<std::string>(rows.begin(), rows.begin() + c.atOnce));
    EXPECT_EQ(list.rows.size(), c.atOnce + (c.emptiedAtOnce ? 0 : c.earlier));
    EXPECT_EQ(ListFilling::Filled::kAll, filling.Fill(everything));
    EXPECT_EQ(list.rows, rows);
    for (size_t i = 0; i < rows.size(); ++i) ASSERT_EQ(filling.RowAt(i), rows[i]);
    // Room for the rest is asked for once the list holds many rows, never before.
    const size_t reserveAt = limits.reserveAt;
    if (c.rows > reserveAt) {
      EXPECT_EQ(list.reserved, (std::vector<std::pair<size_t, size_t>>{{reserveAt, c.rows - reserveAt}}));
    } else {
      EXPECT_EQ(list.reserved.size(), c.earlier > reserveAt ? 1u : 0u);
    }
  }
}

}  // namespace
}  // namespace lookup
