// The histories of dialog edit fields: the texts entered earlier, newest
// first, one file per history name in the user's configuration folder
// ($XDG_CONFIG_HOME/marten/history/, else ~/.config/marten/history/).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace edit {

class HistoryStore {
public:
    explicit HistoryStore(std::string folder);

    // The folder named by the environment; empty when there is no home.
    static std::string DefaultFolder();
    // The file name of a history name: letters, digits, '.', '_' and '-'
    // stay, every other byte becomes %XX ("Tansy\Marten\RIndent" ->
    // "Tansy%5CMarten%5CRIndent").
    static std::string FileNameFor(std::string_view name);

    // The store in `name` below this one's folder: a Unicode plug-in keeps
    // its histories there in UTF-8, apart from the 1.x plug-in's OEM ones of
    // the same names, as the two generations of the host keep them apart.
    HistoryStore Subfolder(std::string_view name) const;

    // Entries, newest first; nothing for a history not kept yet.
    std::vector<std::string> Load(std::string_view name) const;
    // Puts `entry` first (dropping an equal older one), keeps the newest
    // kMaxEntries. An empty entry is not kept.
    bool Add(std::string_view name, std::string_view entry, std::string* error) const;

    static constexpr std::size_t kMaxEntries = 32;

private:
    std::string folder_;
};

}  // namespace edit
