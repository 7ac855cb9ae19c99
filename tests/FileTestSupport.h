#pragma once
// A fresh program directory per test, and a show document wired to a scripted operator.

#include "document/ShowData.h"
#include "tests/ScriptedOperator.h"

#include <cstdlib>
#include <fstream>
#include <ftw.h>
#include <gtest/gtest.h>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

// The eight colour lines every layout save begins with.
inline const std::string kDefaultColors =
    "color|0|255|255|255|white\ncolor|1|0|0|255|blue\ncolor|2|255|0|0|red\ncolor|3|0|255|0|green\n"
    "color|4|255|255|0|yellow\ncolor|5|255|150|0|orange\ncolor|6|255|255|255|white\ncolor|7|0|0|0|black\n";

class CTempProgramDir {
public:
    CTempProgramDir()
    {
        char pattern[] = "/tmp/glimmer-files-XXXXXX";
        const char* made = mkdtemp(pattern);
        m_dir = made != nullptr ? made : "/tmp";
        setenv("GLIMMERBOX_HOME", m_dir.c_str(), 1);
    }
    ~CTempProgramDir()
    {
        nftw(m_dir.c_str(), [](const char* path, const struct stat*, int, struct FTW*) { return remove(path); },
             16, FTW_DEPTH | FTW_PHYS);
    }
    CTempProgramDir(const CTempProgramDir&) = delete;
    CTempProgramDir& operator=(const CTempProgramDir&) = delete;

    std::string Path(const std::string& name) const { return m_dir + "/" + name; }
    void Write(const std::string& name, const std::string& bytes) const
    {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(Path(name), std::ios::binary);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    bool Exists(const std::string& name) const { return access(Path(name).c_str(), F_OK) == 0; }

private:
    std::string m_dir;
};

class FileTest : public testing::Test {
protected:
    FileTest() { doc->m_operator = &person; }

    CTempProgramDir dir;
    std::unique_ptr<CShowData> doc = std::make_unique<CShowData>();
    CScriptedOperator person;
};
