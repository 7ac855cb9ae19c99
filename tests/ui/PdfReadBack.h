#pragma once
// A PDF read back the way a person would see it: its text laid out by pdftotext
// and its page count by pdfinfo (poppler-utils).

#include <cstdio>
#include <regex>
#include <string>

namespace pdf_test {

// What a command prints on its standard output.
inline std::string Run(const std::string& command)
{
    std::string out;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, pipe)) > 0)
            out.append(buffer, n);
        pclose(pipe);
    }
    return out;
}

// Pages are separated by form feeds.
inline std::string Text(const std::string& path)
{
    return Run("pdftotext -layout '" + path + "' - 2>/dev/null");
}

// -1 when the file is no PDF.
inline int Pages(const std::string& path)
{
    std::smatch m;
    const std::string info = Run("pdfinfo '" + path + "' 2>/dev/null");
    return std::regex_search(info, m, std::regex("Pages:\\s+(\\d+)")) ? std::stoi(m[1]) : -1;
}

}  // namespace pdf_test
