#include "config/SecurityDescriptor.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <utility>

namespace corvane {

namespace {

// The rights that change an object: write or append its data, delete it, change its permissions,
// take its ownership; for a folder, writing and appending its data are adding files and folders
// to it, and deleting what it holds is a right of its own.
constexpr std::uint32_t WriteData = 0x2, AppendData = 0x4, DeleteChild = 0x40, Delete = 0x10000, WriteDac = 0x40000,
                        WriteOwner = 0x80000;
constexpr std::uint32_t ChangeFile = WriteData | AppendData | Delete | WriteDac | WriteOwner;
constexpr std::uint32_t ChangeFolder = ChangeFile | DeleteChild;
constexpr std::uint32_t GenericAll = 0x10000000, GenericWrite = 0x40000000;
constexpr std::uint32_t FileGenericWrite = 0x120116, FileAll = 0x1F01FF;

// The rights of the codes that SDDL writes, with generic rights mapped as files map them.
constexpr std::array<std::pair<std::string_view, std::uint32_t>, 24> RightCodes{{
    {"GA", FileAll},     {"GW", FileGenericWrite}, {"GR", 0x120089}, {"GX", 0x1200A0}, {"RC", 0x20000},
    {"SD", Delete},      {"WD", WriteDac},         {"WO", WriteOwner}, {"FA", FileAll}, {"FR", 0x120089},
    {"FW", FileGenericWrite}, {"FX", 0x1200A0},    {"CC", 0x1},      {"DC", 0x2},       {"LC", 0x4},
    {"SW", 0x8},         {"RP", 0x10},             {"WP", 0x20},     {"DT", 0x40},      {"LO", 0x80},
    {"CR", 0x100},       {"KA", 0xF003F},          {"KR", 0x20019},  {"KW", 0x20006},
}};

// The accounts that SDDL names by two letters, as far as files name them.
constexpr std::array<std::pair<std::string_view, std::string_view>, 25> SidCodes{{
    {"WD", "S-1-1-0"},      {"CO", "S-1-3-0"},      {"CG", "S-1-3-1"},      {"OW", "S-1-3-4"},
    {"NU", "S-1-5-2"},      {"IU", "S-1-5-4"},      {"SU", "S-1-5-6"},      {"AN", "S-1-5-7"},
    {"PS", "S-1-5-10"},     {"AU", "S-1-5-11"},     {"RC", "S-1-5-12"},     {"SY", "S-1-5-18"},
    {"LS", "S-1-5-19"},     {"NS", "S-1-5-20"},     {"BA", "S-1-5-32-544"}, {"BU", "S-1-5-32-545"},
    {"BG", "S-1-5-32-546"}, {"PU", "S-1-5-32-547"}, {"AO", "S-1-5-32-548"}, {"SO", "S-1-5-32-549"},
    {"PO", "S-1-5-32-550"}, {"BO", "S-1-5-32-551"}, {"RD", "S-1-5-32-555"}, {"IS", "S-1-5-32-568"},
    {"AC", "S-1-15-2-1"},
}};

constexpr std::string_view CreatorOwner = "S-1-3-0", CreatorGroup = "S-1-3-1", OwnerRights = "S-1-3-4";

std::optional<std::string> SidOf(std::string_view text) {
    if (text.starts_with("S-1-")) return std::string(text);
    for (const auto& [code, sid] : SidCodes) {
        if (code == text) return std::string(sid);
    }
    if (text.size() == 2 && std::all_of(text.begin(), text.end(), [](char c) { return c >= 'A' && c <= 'Z'; })) {
        return std::string(text); // an account of a domain (DA, DU...): no keeper, named as written
    }
    return std::nullopt;
}

std::optional<std::uint32_t> RightsOf(std::string_view text) {
    std::uint32_t rights = 0;
    if (text.starts_with("0x") || text.starts_with("0X")) {
        const auto [end, error] = std::from_chars(text.data() + 2, text.data() + text.size(), rights, 16);
        if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    } else if (!text.empty() && text.front() >= '0' && text.front() <= '9') {
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), rights, 10);
        if (error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    } else {
        if (text.size() % 2 != 0) return std::nullopt;
        for (std::size_t i = 0; i < text.size(); i += 2) {
            const auto code = std::find_if(RightCodes.begin(), RightCodes.end(),
                                           [&](const auto& entry) { return entry.first == text.substr(i, 2); });
            if (code == RightCodes.end()) return std::nullopt;
            rights |= code->second;
        }
    }
    if (rights & GenericAll) rights |= FileAll;
    if (rights & GenericWrite) rights |= FileGenericWrite;
    return rights;
}

// ace: "(" type ";" flags ";" rights ";" object ";" inherited-object ";" sid [ ";" ... ] ")"
// An entry of a type that grants or denies nothing (an audit entry, say) gives none.
std::optional<std::optional<TSecurityDescriptor::TEntry>> ParseEntry(std::string_view ace) {
    std::vector<std::string_view> fields;
    for (std::size_t at = 0;;) {
        const std::size_t semicolon = ace.find(';', at);
        fields.push_back(ace.substr(at, semicolon == std::string_view::npos ? std::string_view::npos : semicolon - at));
        if (semicolon == std::string_view::npos || fields.size() == 6) break;
        at = semicolon + 1;
    }
    if (fields.size() < 6) return std::nullopt;
    const std::string_view type = fields[0];
    const bool allow = type == "A" || type == "OA" || type == "XA";
    const bool deny = type == "D" || type == "OD" || type == "XD";
    const std::optional<std::uint32_t> rights = RightsOf(fields[2]);
    const std::optional<std::string> sid = SidOf(fields[5]);
    if (!rights || !sid) return std::nullopt;
    if (!allow && !deny) return std::optional<TSecurityDescriptor::TEntry>();
    TSecurityDescriptor::TEntry entry;
    entry.Allow = allow;
    entry.Rights = *rights;
    entry.Sid = *sid;
    for (std::size_t i = 0; i + 1 < fields[1].size(); i += 2) {
        if (fields[1].substr(i, 2) == "IO") entry.InheritOnly = true;
    }
    return std::optional<TSecurityDescriptor::TEntry>(entry);
}

// The text of a component: from after its "X:" to the start of the next component.
std::string_view ComponentText(std::string_view sddl, std::size_t at) {
    int depth = 0;
    for (std::size_t i = at; i < sddl.size(); ++i) {
        if (sddl[i] == '(') ++depth;
        if (sddl[i] == ')') --depth;
        const bool tag = depth == 0 && i + 1 < sddl.size() && sddl[i + 1] == ':' &&
                         (sddl[i] == 'O' || sddl[i] == 'G' || sddl[i] == 'D' || sddl[i] == 'S');
        if (tag) return sddl.substr(at, i - at);
    }
    return sddl.substr(at);
}

} // namespace

// sddl: { ( "O:" | "G:" | "D:" | "S:" ) component }
std::optional<TSecurityDescriptor> TSecurityDescriptor::Parse(std::string_view sddl) {
    TSecurityDescriptor descriptor;
    descriptor.HasAccessList = false;
    std::size_t at = 0;
    while (at < sddl.size()) {
        if (at + 1 >= sddl.size() || sddl[at + 1] != ':') return std::nullopt;
        const char tag = sddl[at];
        const std::string_view text = ComponentText(sddl, at + 2);
        at += 2 + text.size();
        if (tag == 'O') {
            const std::optional<std::string> owner = SidOf(text);
            if (!owner) return std::nullopt;
            descriptor.Owner = *owner;
        } else if (tag == 'D') {
            const std::size_t first = text.find('(');
            const std::string_view flags = text.substr(0, first);
            descriptor.HasAccessList = flags.find("NO_ACCESS_CONTROL") == std::string_view::npos;
            for (std::size_t open = first; open != std::string_view::npos && open < text.size();) {
                const std::size_t close = text.find(')', open);
                if (close == std::string_view::npos) return std::nullopt;
                const auto entry = ParseEntry(text.substr(open + 1, close - open - 1));
                if (!entry) return std::nullopt;
                if (*entry) descriptor.Entries.push_back(**entry);
                open = text.find('(', close);
            }
        } else if (tag != 'G' && tag != 'S') {
            return std::nullopt;
        }
    }
    if (descriptor.Owner.empty()) return std::nullopt;
    return descriptor;
}

std::vector<std::string> TSecurityDescriptor::ChangeableBy(bool folder,
                                                           const std::function<bool(const std::string&)>& isKeeper,
                                                           const std::function<bool(const std::string&)>& isAdministrator) const {
    const std::uint32_t change = folder ? ChangeFolder : ChangeFile;
    std::vector<std::string> who;
    const auto add = [&who](const std::string& sid) {
        if (std::find(who.begin(), who.end(), sid) == who.end()) who.push_back(sid);
    };
    // An owner may change the permissions, unless entries for the owner's rights say otherwise.
    const bool ownerRightsGiven = std::any_of(Entries.begin(), Entries.end(),
                                              [](const TEntry& entry) { return entry.Sid == OwnerRights && !entry.InheritOnly; });
    if (!ownerRightsGiven && !isKeeper(Owner) && !isAdministrator(Owner)) add(Owner);
    if (!HasAccessList) {
        add(Everyone);
        return who;
    }
    for (std::size_t i = 0; i < Entries.size(); ++i) {
        const TEntry& entry = Entries[i];
        if (!entry.Allow || entry.InheritOnly || entry.Sid == CreatorOwner || entry.Sid == CreatorGroup) continue;
        const std::string& sid = entry.Sid == OwnerRights ? Owner : entry.Sid;
        if (isKeeper(sid) || isAdministrator(sid)) continue; // an administrator can change anything anyway
        std::uint32_t rights = entry.Rights & change;
        for (std::size_t j = 0; j < i; ++j) {
            const TEntry& earlier = Entries[j];
            if (!earlier.Allow && !earlier.InheritOnly && (earlier.Sid == entry.Sid || earlier.Sid == Everyone)) {
                rights &= ~earlier.Rights;
            }
        }
        if (rights != 0) add(sid);
    }
    return who;
}

} // namespace corvane
