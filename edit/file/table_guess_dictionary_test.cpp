// The guess on real words: each word of Debian's Russian spelling dictionary
// alone, as a whole file, in 866, KOI8-R and 1251, and in UTF-8. A word in
// an 8-bit table is almost never taken for UTF-8, and a word in UTF-8
// always is.
#include <gtest/gtest.h>
#include <iconv.h>

#include <cerrno>
#include <fstream>
#include <iostream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "edit/file/table_guess.hpp"

namespace edit {
namespace {

// hunspell-ru's word list, in UTF-8: a count, then a word a line, each
// perhaps followed by '/' and its affix flags.
constexpr const char* kDictionary = "/usr/share/hunspell/ru_RU.dic";

std::vector<std::string> ReadWords(std::ifstream& in) {
    std::vector<std::string> words;
    std::string line;
    std::getline(in, line);  // the count
    while (std::getline(in, line)) {
        const std::string word = line.substr(0, line.find('/'));
        if (!word.empty()) words.push_back(word);
    }
    return words;
}

// `utf8` in `charset`, through iconv; empty when a character has no place there.
std::string Encode(const char* charset, const std::string& utf8) {
    iconv_t cd = ::iconv_open(charset, "UTF-8");
    if (cd == reinterpret_cast<iconv_t>(-1)) return {};
    std::string in = utf8;
    std::string out(utf8.size(), '\0');  // one byte a character at most
    char* from = in.data();
    char* to = out.data();
    std::size_t left = in.size();
    std::size_t room = out.size();
    const bool ok = ::iconv(cd, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
    ::iconv_close(cd);
    if (!ok) return {};
    out.resize(out.size() - room);
    return out;
}

// The words of `words` (in UTF-8) that, each written alone in `charset`, are
// taken for UTF-8.
std::set<std::string> TakenForUtf8(const std::vector<std::string>& words, const char* charset) {
    std::string joined;
    for (const std::string& word : words) joined += word + '\n';
    const std::string encoded = Encode(charset, joined);
    EXPECT_FALSE(encoded.empty()) << "iconv cannot write the dictionary in " << charset;
    std::set<std::string> taken;
    std::size_t at = 0;
    for (const std::string& word : words) {
        const std::size_t end = encoded.find('\n', at);
        if (end == std::string::npos) break;
        const std::string_view bytes = std::string_view(encoded).substr(at, end - at);
        at = end + 1;
        const TableGuess guess = GuessTable({.bytes = bytes,
                                             .path = "word.txt",
                                             .locale = engine::CodePage::Utf8,
                                             .ftnFiles = "*.msg,golded.*"});
        if (guess.table == engine::CodePage::Utf8) taken.insert(word);
    }
    return taken;
}

std::string Listed(const std::set<std::string>& words) {
    std::string list;
    for (const std::string& word : words) list += (list.empty() ? "" : ", ") + word;
    return list.empty() ? "none" : list;
}

TEST(TableGuessDictionary, EightBitWordsAreAlmostNeverUtf8AndUtf8WordsAlwaysAre) {
    std::ifstream in(kDictionary, std::ios::binary);
    ASSERT_TRUE(in) << kDictionary
                    << " cannot be read: install the package hunspell-ru "
                       "(scripts/install-deps.sh test)";
    const std::vector<std::string> words = ReadWords(in);
    ASSERT_GT(words.size(), 100000u) << kDictionary << " holds too few words to measure";

    const std::set<std::string> oem = TakenForUtf8(words, "CP866");
    const std::set<std::string> koi8r = TakenForUtf8(words, "KOI8-R");
    const std::set<std::string> ansi = TakenForUtf8(words, "CP1251");
    const std::set<std::string> utf8 = TakenForUtf8(words, "UTF-8");
    std::cout << "Of " << words.size() << " words of " << kDictionary
              << ", taken for UTF-8: in 866 " << oem.size() << " (" << Listed(oem)
              << "), in KOI8-R " << koi8r.size() << " (" << Listed(koi8r) << "), in 1251 "
              << ansi.size() << " (" << Listed(ansi) << "), in UTF-8 " << utf8.size() << "\n";

    EXPECT_EQ(oem.size(), 0u);
    EXPECT_EQ(ansi.size(), 0u);
    for (const std::string& word : koi8r) EXPECT_TRUE(word == "её" || word == "сё") << word;
    EXPECT_EQ(utf8.size(), std::set<std::string>(words.begin(), words.end()).size());
}

}  // namespace
}  // namespace edit
