#include "refresh/CopyRecord.h"

#include <algorithm>
#include <charconv>
#include <limits>
#include <optional>

namespace tarvello {
namespace {

// The record's text: a header line, then one line per entry, each field
// after one blank; names and sources as their length, ":" and their bytes.
//   tarvello-copies 1 run 7
//   copy 7 4096 1733650000123456789 9:track.mp3 24:/home/me/Music/track.mp3
//   pending 7 9:other.mp3 24:/home/me/Music/other.mp3
//   past 6 24:/home/me/Music/older.mp3
constexpr std::string_view kMagic = "tarvello-copies";
constexpr std::string_view kCopy = "copy", kPending = "pending", kPast = "past";
constexpr std::size_t kPiece = 1 << 16;

std::string_view KindWord(RecordEntry::Kind kind) {
    switch (kind) {
    case RecordEntry::Kind::Copy: return kCopy;
    case RecordEntry::Kind::Pending: return kPending;
    case RecordEntry::Kind::Past: return kPast;
    }
    return kPast;
}

void AppendNumber(std::string& out, auto number) {
    char digits[24];
    const auto end = std::to_chars(digits, digits + sizeof digits, number).ptr;
    out.append(digits, end);
}

void AppendBytes(std::string& out, std::string_view bytes) {
    AppendNumber(out, bytes.size());
    out += ':';
    out += bytes;
}

}  // namespace

bool IsRecordableName(std::string_view name) {
    constexpr std::string_view kNeverInAName("/\\\0", 3);  // a NUL would cut the path short
    return !name.empty() && name != "." && name != ".." && name.find_first_of(kNeverInAName) == std::string_view::npos;
}

// Reads one line after another; any surprise marks the record damaged.
struct RecordDecoder {
    const std::string& text;
    std::size_t at = 0;

    bool word(std::string_view expected) {
        if (text.compare(at, expected.size(), expected) != 0)
            return false;
        at += expected.size();
        return true;
    }
    template <typename Number> std::optional<Number> number() {
        Number value{};
        const char* begin = text.data() + at;
        const auto [end, error] = std::from_chars(begin, text.data() + text.size(), value);
        if (error != std::errc() || end == begin)
            return std::nullopt;
        at += static_cast<std::size_t>(end - begin);
        return value;
    }
    // "LENGTH:BYTES", giving where the bytes lie.
    std::optional<std::pair<std::uint32_t, std::uint32_t>> bytes() {
        const auto length = number<std::uint32_t>();
        if (!length || !word(":") || text.size() - at < *length)
            return std::nullopt;
        const auto begin = static_cast<std::uint32_t>(at);
        at += *length;
        return std::pair{begin, *length};
    }

    std::optional<RecordEntry> entry() {
        RecordEntry entry;
        if (word(kCopy))
            entry.kind = RecordEntry::Kind::Copy;
        else if (word(kPending))
            entry.kind = RecordEntry::Kind::Pending;
        else if (word(kPast))
            entry.kind = RecordEntry::Kind::Past;
        else
            return std::nullopt;
        const auto run = word(" ") ? number<std::uint32_t>() : std::nullopt;
        if (!run)
            return std::nullopt;
        entry.run = *run;
        if (entry.kind == RecordEntry::Kind::Copy) {
            const auto size = word(" ") ? number<std::uint64_t>() : std::nullopt;
            const auto time = size && word(" ") ? number<std::int64_t>() : std::nullopt;
            if (!time)
                return std::nullopt;
            entry.size = *size;
            entry.modifiedNs = *time;
        }
        if (entry.kind != RecordEntry::Kind::Past) {
            const auto name = word(" ") ? bytes() : std::nullopt;
            if (!name || !IsRecordableName(std::string_view(text).substr(name->first, name->second)))
                return std::nullopt;
            std::tie(entry.nameAt, entry.nameLength) = *name;
        }
        const auto source = word(" ") ? bytes() : std::nullopt;
        if (!source || !word("\n"))
            return std::nullopt;
        std::tie(entry.sourceAt, entry.sourceLength) = *source;
        return entry;
    }
};

void CopyRecord::add(RecordEntry::Kind kind, std::uint32_t run, std::string_view name, std::string_view source,
                     std::uint64_t size, std::int64_t modifiedNs) {
    RecordEntry entry{kind, run, size, modifiedNs};
    entry.nameAt = static_cast<std::uint32_t>(bytes_.size());
    entry.nameLength = static_cast<std::uint32_t>(name.size());
    bytes_ += name;
    entry.sourceAt = static_cast<std::uint32_t>(bytes_.size());
    entry.sourceLength = static_cast<std::uint32_t>(source.size());
    bytes_ += source;
    entries_.push_back(entry);
}

void CopyRecord::add(const CopyRecord& from, const RecordEntry& entry, std::uint32_t run) {
    add(entry.kind, run, from.name(entry), from.source(entry), entry.size, entry.modifiedNs);
}

void CopyRecord::encode(const std::function<void(std::string_view bytes)>& write) const {
    std::string piece;
    piece.reserve(kPiece + 1024);
    piece.append(kMagic).append(" ");
    AppendNumber(piece, kCopyRecordVersion);
    piece.append(" run ");
    AppendNumber(piece, lastRun);
    piece += '\n';
    for (const RecordEntry& entry : entries_) {
        piece.append(KindWord(entry.kind)).append(" ");
        AppendNumber(piece, entry.run);
        if (entry.kind == RecordEntry::Kind::Copy) {
            piece += ' ';
            AppendNumber(piece, entry.size);
            piece += ' ';
            AppendNumber(piece, entry.modifiedNs);
        }
        if (entry.kind != RecordEntry::Kind::Past) {
            piece += ' ';
            AppendBytes(piece, name(entry));
        }
        piece += ' ';
        AppendBytes(piece, source(entry));
        piece += '\n';
        if (piece.size() >= kPiece) {
            write(piece);
            piece.clear();
        }
    }
    write(piece);
}

RecordRead DecodeCopyRecord(std::string bytes) {
    RecordRead read;
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max()) {
        read.status = RecordRead::Status::Damaged;
        read.line = 1;
        return read;
    }
    RecordDecoder decoder{bytes};
    const auto version = decoder.word(kMagic) && decoder.word(" ") ? decoder.number<std::uint32_t>() : std::nullopt;
    read.version = version.value_or(0);
    if (version && *version > kCopyRecordVersion) {
        read.status = RecordRead::Status::Newer;
        return read;
    }
    const auto lastRun = version == kCopyRecordVersion && decoder.word(" run ") ? decoder.number<std::uint32_t>()
                                                                                : std::nullopt;
    const bool headerRead = lastRun && decoder.word("\n");
    std::size_t line = 1;
    if (headerRead) {
        read.record.lastRun = *lastRun;
        // Every entry ends a line, so the line feeds bound their number.
        read.record.entries_.reserve(static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n')));
        for (++line; decoder.at < bytes.size(); ++line) {
            const auto entry = decoder.entry();
            if (!entry)
                break;
            read.record.entries_.push_back(*entry);
        }
    }
    if (!headerRead || decoder.at < bytes.size()) {
        read.status = RecordRead::Status::Damaged;
        read.line = line;
        read.record = {};
        return read;
    }
    read.record.bytes_ = std::move(bytes);
    return read;
}

}  // namespace tarvello
