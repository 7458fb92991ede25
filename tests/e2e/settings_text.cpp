#include "settings_text.h"

#include <sstream>

namespace veltamar::e2e {

std::vector<Section> sections(const std::string& text) {
    std::vector<Section> result{{"", {}}};
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.front() == '[')
            result.push_back({line, {}});
        else
            result.back().lines.push_back(line);
    }
    return result;
}

std::optional<std::string> settingValue(const std::string& text, const std::string& header,
                                        const std::string& key) {
    for (const Section& s : sections(text)) {
        if (s.name != header) continue;
        for (const std::string& line : s.lines)
            if (line.rfind(key + "=", 0) == 0) return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

std::vector<std::string> settingKeys(const std::string& text, const std::string& header) {
    std::vector<std::string> keys;
    for (const Section& s : sections(text)) {
        if (s.name != header) continue;
        for (const std::string& line : s.lines)
            if (const auto equals = line.find('='); equals != std::string::npos)
                keys.push_back(line.substr(0, equals));
    }
    return keys;
}

}  // namespace veltamar::e2e
