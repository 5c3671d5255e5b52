#include "dictionary/text_mode_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <string>

#include "dictionary/byte_source.h"
#include "tests/support/literal_reading.h"

namespace dictionary {
namespace {

using namespace std::string_literals;

// Like a full disk once `capacity` bytes are written: what fits is written,
// then the write fails.
class MemoryOutputFile final : public dictionary::OutputFile {
 public:
  explicit MemoryOutputFile(std::size_t capacity = std::numeric_limits<std::size_t>::max())
      : capacity_(capacity) {}

  bool Write(const char* data, std::size_t size) override {
    const std::size_t room = capacity_ - bytes.size();
    bytes.append(data, std::min(size, room));
    ++writes;
    return size <= room;
  }
  bool Sync() override { return true; }

  std::string bytes;
  int writes = 0;

 private:
  std::size_t capacity_;
};

TEST(TextModeWriterTest, Table) {
  struct Case {
    std::string text;
    std::string raw;
  };
  const Case cases[] = {
      {"", ""},
      {"a\n", "a\r\n"},
      {"\n\n", "\r\n\r\n"},
      {"a\rb", "a\rb"},
      {"a\r\n", "a\r\r\n"},
      {"%s%d\n", "%s%d\r\n"},
      {"a\0b\n"s, "a\0b\r\n"s},
  };
  for (const Case& c : cases) {
    MemoryOutputFile file;
    dictionary::TextModeWriter writer(file);
    writer.WriteText(c.text);
    ASSERT_TRUE(writer.Flush());
    EXPECT_EQ(file.bytes, c.raw);
    // What is written reads back as it was.
    dictionary::MemorySource written(file.bytes, 1);
    bool complete = false;
    EXPECT_EQ(lookup::reference::ReadThroughReader(written, &complete).pieces,
              lookup::reference::ReadLiterally(c.raw).pieces);
    EXPECT_TRUE(complete);
  }
}

TEST(TextModeWriterTest, FirstFailedWriteStopsAll) {
  MemoryOutputFile file(100000);
  dictionary::TextModeWriter writer(file);
  const std::string line(999, 'a');
  for (int i = 0; i < 300 && !writer.Failed(); ++i) writer.WriteText(line + "\n");
  EXPECT_TRUE(writer.Failed());
  const int writes = file.writes;
  writer.WriteRaw("more");
  EXPECT_FALSE(writer.Flush());
  EXPECT_EQ(file.writes, writes);
  EXPECT_EQ(file.bytes.size(), 100000u);
}

}  // namespace
}  // namespace dictionary
