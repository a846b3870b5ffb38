#include "ProfileCheck.h"

#include <windows.h>

#include <algorithm>
#include <tuple>
#include <unordered_map>
#include <unordered_set>

#include "File.h"

namespace {
// What the reader takes for blanks around a line, a name or a value.
constexpr const char* kBlanks = " \t\r\n\v\f\x1a";

std::string Trimmed(const std::string& text, size_t from, size_t to) {
    const size_t first = text.find_first_not_of(kBlanks, from);
    if (first == std::string::npos || first >= to) return "";
    const size_t last = text.find_last_not_of(kBlanks, to - 1);
    return text.substr(first, last - first + 1);
}

std::string FromWide(const std::wstring& wide) {
    if (wide.empty()) return "";
    const int n = WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), nullptr, 0, nullptr, nullptr);
    std::string text(size_t(std::max(n, 0)), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), int(wide.size()), text.data(), n, nullptr, nullptr);
    return text;
}

// Upper case as the system makes it; plain ASCII, most names, without a call.
std::string Upper(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c & 0x80) return UpperCase(text);
        if (c >= 'a' && c <= 'z') c = char(c - 'a' + 'A');
    }
    return upper;
}

using Sections = std::unordered_map<std::string, std::vector<const ProfileSection*>>;

// Each section by its upper-cased name, its repeats in file order.
Sections ByName(const std::vector<ProfileSection>& list) {
    Sections byName;
    for (const ProfileSection& s : list) byName[Upper(s.name)].push_back(&s);
    return byName;
}

using KeyLine = std::tuple<std::string, bool, std::string>;

std::vector<KeyLine> KeyLines(const ProfileSection& section, const std::unordered_set<std::string>* leaveOut) {
    std::vector<KeyLine> lines;
    lines.reserve(section.keys.size());
    for (const ProfileKey& key : section.keys) {
        std::string name = Upper(key.name);
        if (leaveOut && leaveOut->count(name)) continue;
        lines.emplace_back(std::move(name), key.hasValue, key.value);
    }
    return lines;
}
}  // namespace

std::string ProfileReadForm(const std::string& value) {
    const size_t first = value.find_first_not_of(kBlanks);
    if (first == std::string::npos) return "";
    std::string text = value.substr(first, value.find_last_not_of(kBlanks) - first + 1);
    if (text.size() >= 2 && (text[0] == '"' || text[0] == '\'') && text.back() == text[0])
        text = text.substr(1, text.size() - 2);
    return text;
}

std::string ProfileTextOf(const std::string& bytes) {
    std::wstring wide;
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) {
        const int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, int(bytes.size() - 3), nullptr, 0);
        wide.resize(size_t(std::max(n, 0)));
        MultiByteToWideChar(CP_UTF8, 0, bytes.data() + 3, int(bytes.size() - 3), wide.data(), n);
    } else if (bytes.rfind("\xFF\xFE", 0) == 0 || bytes.rfind("\xFE\xFF", 0) == 0) {
        const bool little = bytes[0] == '\xFF';
        for (size_t at = 2; at + 1 < bytes.size(); at += 2) {
            const auto lo = uint8_t(bytes[at + (little ? 0 : 1)]), hi = uint8_t(bytes[at + (little ? 1 : 0)]);
            wide += wchar_t(lo | hi << 8);
        }
    } else {
        return bytes;
    }
    return FromWide(wide);
}

std::vector<ProfileSection> ParseProfileText(const std::string& text) {
    std::vector<ProfileSection> sections;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        if (end == std::string::npos) end = text.size();
        const std::string line = Trimmed(text, pos, end);
        pos = end + 1;
        if (line.empty()) continue;
        if (line[0] == '[') {
            const size_t close = line.rfind(']');
            if (close != std::string::npos && close > 0) {
                sections.push_back({Trimmed(line, 1, close), {}});
                continue;
            }
        }
        if (sections.empty()) sections.push_back({});
        ProfileKey key;
        const size_t equals = line.find('=');
        if (equals == std::string::npos) {
            key.name = line;
        } else {
            key.name = Trimmed(line, 0, equals);
            key.value = Trimmed(line, equals + 1, line.size());
            key.hasValue = true;
        }
        sections.back().keys.push_back(std::move(key));
    }
    return sections;
}

std::string ProfileDifference(const std::vector<ProfileSection>& before, const std::string& written, const std::string& section,
                              const std::vector<std::pair<std::string, std::string>>& keys) {
    const std::vector<ProfileSection> after = ParseProfileText(written);
    const Sections was = ByName(before), is = ByName(after);
    const std::string target = Upper(section);
    std::unordered_set<std::string> writtenNames;
    for (const auto& kv : keys) writtenNames.insert(Upper(kv.first));
    for (const auto& [name, list] : was) {
        const auto found = is.find(name);
        for (size_t i = 0; i < list.size(); ++i) {
            if (found == is.end() || found->second.size() <= i) return "the section [" + list[i]->name + "] is missing";
            // The written keys may have been there before: only the others must be as they were.
            const std::unordered_set<std::string>* leaveOut = name == target && i == 0 ? &writtenNames : nullptr;
            if (KeyLines(*list[i], leaveOut) != KeyLines(*found->second[i], leaveOut))
                return "the keys of the section [" + list[i]->name + "] differ";
        }
    }
    const auto held = is.find(target);
    if (held == is.end()) return "the section [" + section + "] is missing";
    const std::vector<ProfileKey>& got = held->second.front()->keys;
    for (const auto& [key, value] : keys) {
        const std::string name = Upper(key);
        const auto k = std::find_if(got.begin(), got.end(), [&](const ProfileKey& g) { return Upper(g.name) == name; });
        if (k == got.end()) return "the key \"" + key + "\" is missing";
        // The system may keep the value as written, or as its reader takes it.
        if (ProfileReadForm(k->value) != ProfileReadForm(value)) return "the key \"" + key + "\" has another value";
    }
    return "";
}

std::vector<std::pair<std::string, std::string>> KeysToWrite(
    const std::vector<ProfileSection>& sections, const std::string& section, const std::vector<std::pair<std::string, std::string>>& keys) {
    const std::string target = Upper(section);
    const auto held = std::find_if(sections.begin(), sections.end(), [&](const ProfileSection& s) { return Upper(s.name) == target; });
    std::unordered_map<std::string, const ProfileKey*> first;
    if (held != sections.end())
        for (const ProfileKey& key : held->keys) first.emplace(Upper(key.name), &key);
    std::vector<std::pair<std::string, std::string>> changing;
    for (const auto& kv : keys) {
        const auto found = first.find(Upper(kv.first));
        const bool same = found != first.end() && found->second->hasValue && found->second->value == kv.second &&
                          Trimmed(kv.second, 0, kv.second.size()) == kv.second;
        if (!same) changing.push_back(kv);
    }
    return changing;
}

InPlaceOutcome WriteInPlace(const std::string& former, const std::string& fresh, const InPlaceSteps& steps) {
    const auto holds = [&](const std::string& bytes) {
        std::string back;
        return steps.write(bytes) && steps.read(back) && back == bytes;
    };
    if (holds(fresh)) return InPlaceOutcome::Written;
    if (holds(former)) return InPlaceOutcome::PutBack;
    return steps.replace() ? InPlaceOutcome::Replaced : InPlaceOutcome::Damaged;
}
