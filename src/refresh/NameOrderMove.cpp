#include "refresh/NameOrderMove.h"

#include "plan/NameOrder.h"

#include <algorithm>
#include <unordered_set>
#include <vector>

namespace tarvello {
namespace {

// In the hidden folder: the plugs standing in the folder, one per line, so
// that a run ended meanwhile leaves none behind.
constexpr std::string_view kPlugList = ".plugs";
// Each plug fills one gap; a folder with more is left as it stands then.
constexpr std::size_t kMostPlugs = 64;

// The characters a FAT or exFAT entry spends on the name: UTF-16 units.
std::size_t Utf16Length(std::string_view name) {
    std::size_t units = 0;
    for (const char c : name) {
        const auto byte = static_cast<unsigned char>(c);
        units += (byte & 0xC0) != 0x80;  // a lead byte or ASCII
        units += byte >= 0xF0;           // beyond the Basic Multilingual Plane: a surrogate pair
    }
    return units;
}

// A plug's name: "." and its number, filled up with "~" to a copy's length.
bool IsPlugName(std::string_view name) {
    return name.size() > 1 && name[0] == '.' && name[1] != '~' && name.find_first_not_of("0123456789~", 1) == name.npos;
}

// One folder's copies on their way out to the hidden folder and back.
class OrderMove {
public:
    OrderMove(FileSystem& fs, const std::string& folder, const std::function<void(const std::string&)>& say)
        : fs_(fs), folder_(folder), holder_(folder + std::string(kOrderFolderName) + folder.back()), say_(say) {}

    const std::string& holder() const { return holder_; }

    bool open() {
        if (const auto failure = fs_.makeFolder(holderPath())) {
            say_(holder_ + ": cannot be made, so the copies there stay in the order written: " + *failure);
            return false;
        }
        return true;
    }

    // The names it moved out.
    std::vector<std::string> moveOut(const std::vector<std::string>& names) {
        std::vector<std::string> moved;
        for (const std::string& name : names)
            if (!fs_.moveFile(folder_ + name, holder_ + name))
                moved.push_back(name);
        return moved;
    }

    // Moves each back in name order; the names it put back, in that order.
    std::vector<std::string> moveBack(std::vector<std::string> names) {
        std::stable_sort(names.begin(), names.end(), NameOrderLess);
        std::vector<std::string> placed;
        for (std::string& name : names) {
            if (const auto failure = fs_.moveFile(holder_ + name, folder_ + name))
                say_(holder_ + name + ": cannot be put back as " + folder_ + name + ": " + *failure);
            else
                placed.push_back(std::move(name));
        }
        return placed;
    }

    // A copy that took a gap ahead of copies before it in name order, too
    // small for them, is moved out with every copy after it; an empty
    // folder of a name as long, a plug, takes the gap; and they come back.
    // Until the listing shows `placed` in order, or the plugs run out.
    void plugGaps(std::vector<std::string> placed) {
        while (plugs_.size() < kMostPlugs) {
            const std::unordered_set<std::string_view> ours(placed.begin(), placed.end());
            std::vector<std::string> listed;
            if (fs_.forEachFile(folder_, [&](std::string_view name) {
                    if (ours.contains(name))
                        listed.emplace_back(name);
                }))
                return;
            const auto wrong = std::mismatch(listed.begin(), listed.end(), placed.begin(), placed.end()).first;
            if (wrong == listed.end())
                return;
            const auto from = std::find(placed.begin(), placed.end(), *wrong);
            const std::size_t length = Utf16Length(*wrong);
            std::vector<std::string> again = moveOut({from, placed.end()});
            placed.erase(from, placed.end());
            const bool plugged = plug(length);
            for (std::string& name : moveBack(std::move(again)))
                placed.push_back(std::move(name));
            if (!plugged)
                return;
        }
    }

    // Removes the plugs a run ended while ordering left, as its list names
    // them; a list damaged or written by hand leads to nothing else.
    void removeListedPlugs() {
        std::string list;
        if (fs_.readFile(holder_ + std::string(kPlugList), [&](std::string_view piece) {
                list.append(piece);
                return true;
            }))
            return;
        for (std::size_t start = 0, end; start < list.size(); start = end + 1) {
            end = std::min(list.find('\n', start), list.size());
            if (const std::string name = list.substr(start, end - start); IsPlugName(name))
                plugs_.push_back(name);
        }
    }

    // Removes the plugs, their list and the hidden folder, which stays
    // while it holds a copy that could not be put back.
    void close() {
        for (const std::string& plug : plugs_)
            fs_.removeFolder(folder_ + plug);
        fs_.removeFile(holder_ + std::string(kPlugList));
        fs_.removeFolder(holderPath());
    }

private:
    std::string holderPath() const { return holder_.substr(0, holder_.size() - 1); }
    bool taken(const std::string& name) const {
        const std::string path = folder_ + name;
        return fs_.fileStat(path) || fs_.folderStamps({path}).front() || fs_.leadsToFile(path);
    }

    // Listed before it is made, so that no plug outlives an ended run; a
    // name something stands under is passed over, so that none is taken for
    // a plug.
    bool plug(std::size_t length) {
        std::string name;
        for (std::size_t number = plugs_.size() + 1; name.empty() || taken(name); ++number) {
            name = "." + std::to_string(number);
            name.resize(std::max(name.size(), length), '~');
        }
        plugs_.push_back(name);
        std::string list;
        for (const std::string& plug : plugs_)
            list += plug + '\n';
        return !fs_.replaceContents(holder_ + std::string(kPlugList), [&](const auto& write) { write(list); }) &&
               !fs_.makeFolder(folder_ + name);
    }

    FileSystem& fs_;
    std::string folder_;
    std::string holder_;
    const std::function<void(const std::string&)>& say_;
    std::vector<std::string> plugs_;
};

}  // namespace

void PutInNameOrder(FileSystem& fs, const std::string& folder, const CopyRecord& record,
                    const std::function<void(const std::string&)>& say) {
    const EntryOrder order = fs.entryOrder(folder);
    if (order == EntryOrder::None)
        return;
    OrderMove move(fs, folder, say);
    if (!move.open())
        return;
    std::vector<std::string> copies;
    for (std::size_t i = 0; i < record.size(); ++i) {
        const RecordEntry& entry = record[i];
        if (entry.kind != RecordEntry::Kind::Copy)
            continue;
        // Looked at just before: a copy the user changed is theirs.
        std::string name(record.name(entry));
        const auto now = fs.fileStat(folder + name);
        if (now && now->size == entry.size && now->modifiedNs == entry.modifiedNs)
            copies.push_back(std::move(name));
    }
    std::vector<std::string> placed = move.moveBack(move.moveOut(copies));
    if (order == EntryOrder::Made)
        move.plugGaps(std::move(placed));
    move.close();
}

std::size_t PutBackOrderedCopies(FileSystem& fs, const std::string& folder,
                                 const std::function<void(const std::string&)>& say) {
    OrderMove move(fs, folder, say);
    std::vector<std::string> names;
    if (fs.forEachFile(move.holder(), [&](std::string_view name) { names.emplace_back(name); }) && names.empty())
        return 0;
    move.removeListedPlugs();
    const std::size_t putBack = move.moveBack(std::move(names)).size();
    move.close();
    return putBack;
}

}  // namespace tarvello
