// StarDict dictionaries written by the tests: .ifo, .idx or .idx.gz, .dict or
// .dict.dz (dictzip) and .syn, from entries given as their stored bytes.
#pragma once

#include <zlib.h>

#include <cstdint>
#include <fstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace import_test {

struct StardictEntry {
  std::string word;
  std::string data;  // the entry's bytes in the .dict
};

struct StardictLayout {
  int offsetBits = 32;
  bool indexGzipped = false;
  bool dictzip = true;
  std::string sameTypeSequence = "m";  // empty: each field carries its type
};

// The ASCII letter case of `c` folded, as StarDict compares headwords.
inline unsigned char FoldStardict(unsigned char c) { return c >= 'A' && c <= 'Z' ? c + ('a' - 'A') : c; }

// StarDict's order of headwords: ASCII case ignored, then byte by byte.
inline bool StardictLess(const std::string& a, const std::string& b) {
  for (size_t i = 0; i < a.size() && i < b.size(); ++i) {
    unsigned char x = FoldStardict(a[i]), y = FoldStardict(b[i]);
    if (x != y) return x < y;
  }
  if (a.size() != b.size()) return a.size() < b.size();
  return a < b;
}

inline void AppendBigEndian(std::string& out, uint64_t value, int bytes) {
  for (int i = bytes - 1; i >= 0; --i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}
inline void AppendLittleEndian(std::string& out, uint32_t value, int bytes) {
  for (int i = 0; i < bytes; ++i) out += static_cast<char>((value >> (8 * i)) & 0xFF);
}

// `bytes` as dictzip writes them: one gzip member whose deflate stream is
// flushed every chunk, with the chunk sizes in an "RA" extra field.
inline std::string Dictzip(const std::string& bytes) {
  constexpr size_t kChunk = 58315;
  z_stream z{};
  deflateInit2(&z, Z_BEST_COMPRESSION, Z_DEFLATED, -15, 8, Z_DEFAULT_STRATEGY);
  std::string body;
  std::vector<uint32_t> sizes;
  for (size_t at = 0; at < bytes.size() || sizes.empty(); at += kChunk) {
    const std::string chunk = bytes.substr(at, kChunk);
    std::string out(chunk.size() + chunk.size() / 8 + 1024, '\0');
    z.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(chunk.data()));
    z.avail_in = static_cast<uInt>(chunk.size());
    z.next_out = reinterpret_cast<Bytef*>(out.data());
    z.avail_out = static_cast<uInt>(out.size());
    deflate(&z, at + kChunk >= bytes.size() ? Z_FINISH : Z_FULL_FLUSH);
    out.resize(out.size() - z.avail_out);
    sizes.push_back(static_cast<uint32_t>(out.size()));
    body += out;
  }
  deflateEnd(&z);
  std::string extra = "RA";
  AppendLittleEndian(extra, static_cast<uint32_t>(6 + 2 * sizes.size()), 2);
  AppendLittleEndian(extra, 1, 2);  // version
  AppendLittleEndian(extra, kChunk, 2);
  AppendLittleEndian(extra, static_cast<uint32_t>(sizes.size()), 2);
  for (uint32_t size : sizes) AppendLittleEndian(extra, size, 2);
  std::string file = std::string("\x1f\x8b\x08\x04\0\0\0\0\x02\x03", 10);
  AppendLittleEndian(file, static_cast<uint32_t>(extra.size()), 2);
  file += extra + body;
  AppendLittleEndian(file,
                     static_cast<uint32_t>(crc32(0, reinterpret_cast<const Bytef*>(bytes.data()),
                                                 static_cast<uInt>(bytes.size()))),
                     4);
  AppendLittleEndian(file, static_cast<uint32_t>(bytes.size()), 4);
  return file;
}

inline void WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  if (!out.flush()) throw std::runtime_error(path + ": cannot write");
}

// Writes `base`.ifo and the files beside it; entries in the order given, the
// synonyms (word, entry index) to `base`.syn when there are any. A packed
// .idx.gz is written as dictzip too, which is gzip.
inline void WriteStardict(const std::string& base, const std::vector<StardictEntry>& entries,
                          const std::vector<std::pair<std::string, uint32_t>>& synonyms = {},
                          const StardictLayout& layout = {}) {
  std::string index, texts, syn;
  for (const StardictEntry& e : entries) {
    index += e.word + '\0';
    AppendBigEndian(index, texts.size(), layout.offsetBits / 8);
    AppendBigEndian(index, e.data.size(), 4);
    texts += e.data;
  }
  for (const auto& [word, entry] : synonyms) {
    syn += word + '\0';
    AppendBigEndian(syn, entry, 4);
  }
  std::string ifo = "StarDict's dict ifo file\nversion=";
  ifo += layout.offsetBits == 64 ? "3.0.0\n" : "2.4.2\n";
  ifo += "bookname=test dictionary\nwordcount=" + std::to_string(entries.size()) + "\n";
  if (!synonyms.empty()) ifo += "synwordcount=" + std::to_string(synonyms.size()) + "\n";
  ifo += "idxfilesize=" + std::to_string(index.size()) + "\n";
  if (layout.offsetBits == 64) ifo += "idxoffsetbits=64\n";
  if (!layout.sameTypeSequence.empty()) ifo += "sametypesequence=" + layout.sameTypeSequence + "\n";
  WriteFile(base + ".ifo", ifo);
  WriteFile(base + (layout.indexGzipped ? ".idx.gz" : ".idx"), layout.indexGzipped ? Dictzip(index) : index);
  WriteFile(base + (layout.dictzip ? ".dict.dz" : ".dict"), layout.dictzip ? Dictzip(texts) : texts);
  if (!synonyms.empty()) WriteFile(base + ".syn", syn);
}

}  // namespace import_test
