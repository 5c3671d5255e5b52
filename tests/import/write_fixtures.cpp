// write_fixtures DIR: writes the import fixtures into DIR for the scripts
// that drop them onto the Windows importer, and lists them:
//   good NAME         a dictionary every importer takes, all in code page 932
//   substituted NAME  one with characters code page 932 lacks
//   bad NAME          an input every importer refuses
#include <gtest/gtest.h>

#include <iostream>

#include "text_fixtures.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::cerr << "usage: write_fixtures DIR\n";
    return 2;
  }
  std::vector<import_test::GoodFixture> good;
  std::vector<import_test::BadFixture> bad;
  import_test::WriteFixtures(std::string(argv[1]) + "/", good, bad);
  if (::testing::UnitTest::GetInstance()->ad_hoc_test_result().Failed()) {
    std::cerr << "write_fixtures: could not write the fixtures into " << argv[1] << "\n";
    return 1;
  }
  for (const auto& f : good) std::cout << (f.inCp932 ? "good " : "substituted ") << f.name << "\n";
  for (const auto& f : bad) std::cout << "bad " << f.name << "\n";
  return std::cout.flush() ? 0 : 1;
}
