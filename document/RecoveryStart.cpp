#include "document/RecoveryStart.h"

#include "document/KeptCopies.h"
#include "document/LineReader.h"
#include "document/Operator.h"
#include "document/ProgramDir.h"
#include "document/RecoveryFile.h"
#include "document/ShowChanges.h"
#include "document/ShowData.h"
#include "document/ShowFileIn.h"
#include "document/ShowFiles.h"

#include <cstdio>
#include <cstring>
#include <ctime>
#include <sys/stat.h>
#include <unistd.h>

namespace {

void Tell(CShowData& doc, const std::string& text, const char* caption)
{
    if (doc.m_operator != nullptr)
        doc.m_operator->Message(text.c_str(), caption);
}

std::string LocalTime(std::time_t when, const char* format)
{
    std::tm local {};
    localtime_r(&when, &local);
    char text[64];
    std::strftime(text, sizeof text, format, &local);
    return text;
}

// Moves the copy into a folder of its own under Recovery/, named by `when`.
// Returns where it went, or "" (the copy then stays where it is).
std::string MoveAside(const std::string& path, std::time_t when)
{
    const std::string dir = path.substr(0, path.find_last_of('/'));
    const std::string stamp = LocalTime(when, "%Y-%m-%d_%H-%M-%S");
    for (int n = 1; n < 1000; ++n) {
        const std::string folder = dir + "/" + stamp + (n > 1 ? "-" + std::to_string(n) : "");
        if (mkdir(folder.c_str(), 0700) != 0)
            continue;
        const std::string moved = folder + "/" + kRecoveryName;
        if (rename(path.c_str(), moved.c_str()) == 0)
            return moved;
        rmdir(folder.c_str());
        return "";
    }
    return "";
}

// Why the entry at `path` may not be read as a copy; "" when it may.
std::string Refusal(const struct stat& st)
{
    if (S_ISLNK(st.st_mode))
        return "it is a symbolic link, not a file";
    if (S_ISFIFO(st.st_mode))
        return "it is a named pipe, not a file";
    if (!S_ISREG(st.st_mode))
        return "it is not a regular file";
    if (st.st_uid != geteuid())
        return "it belongs to another user";
    return "";
}

template <class Reader>
void ReadText(CShowData& doc, const std::string& text, int limit, Reader read)
{
    if (text.empty())
        return;
    FILE* in = fmemopen(const_cast<char*>(text.data()), text.size(), "r");
    if (in == nullptr)
        return;
    CLineReader reader(in, limit);
    read(doc, reader);
    std::fclose(in);
}

// What a later save needs to know of the show file the recovered table belongs to.
void NoteShowFile(const char* name, CFileCheck& check)
{
    check = CFileCheck {};
    CShowFileIn probe(ProgramPath(name), check, nullptr);
}

void LoadRecovered(CShowData& doc, const CRecoveryShow& show, bool layoutDiffers)
{
    if (layoutDiffers) {
        // The layout fields as the recovered file gives them, nothing of the old.
        const CShowRange r = LayoutRange(doc);
        std::memset(reinterpret_cast<char*>(&doc) + r.from, 0, r.to - r.from);
        ReadText(doc, show.layoutText, kLayoutLineLimit, ReadLayoutLines);
    }
    CopyCut(doc.m_chaseFileName, kFileNameSize, show.library.c_str());
    CopyCut(doc.m_cueFileName, kFileNameSize, show.cueList.c_str());
    doc.ClearChases();
    ReadText(doc, show.chaseText, kDataLineLimit, ReadChaseLines);
    doc.ClearCues();
    ReadText(doc, show.cueText, kDataLineLimit, ReadCueLines);
    NoteShowFile(doc.m_chaseFileName, doc.m_chaseCheck);
    NoteShowFile(doc.m_cueFileName, doc.m_cueCheck);
}

struct CSection {
    const std::string& text;
    std::string file;
    CFileStamp stamp;
};

// True when the recovered show was loaded.
bool OfferRecovery(CShowData& doc)
{
    std::string why;
    const std::string path = RecoveryPath(why);
    if (path.empty()) {
        Tell(doc, "The recovery copy cannot be kept: " + why + ".\nChanges reach the show files only when saved.",
             "ERROR");
        return false;
    }
    struct stat st {};
    if (lstat(path.c_str(), &st) != 0)
        return false;
    std::string bytes;
    CRecoveryShow show;
    why = Refusal(st);
    if (why.empty() && ReadWholeFile(path, bytes, why))
        ParseRecovery(bytes, show, why);
    if (!why.empty()) {
        const std::string moved = MoveAside(path, std::time(nullptr));
        Tell(doc, "The recovery copy " + path + " cannot be used: " + why + ".\nIt was not loaded" +
                      (moved.empty() ? "" : " and is kept as " + moved) + "; the show files open as they are.",
             "ERROR");
        return false;
    }
    const CSection sections[] = {{show.cueText, ProgramPath(show.cueList.c_str()), show.cueStamp},
                                 {show.chaseText, ProgramPath(show.library.c_str()), show.chaseStamp},
                                 {show.layoutText, ProgramPath(kLayoutFile), show.layoutStamp}};
    bool differs = false, changedSince = false, layoutDiffers = false;
    for (const CSection& s : sections) {
        std::string content, unread;
        if (ReadWholeFile(s.file, content, unread) && content == s.text)
            continue;
        differs = true;
        layoutDiffers = layoutDiffers || &s == &sections[2];
        changedSince = changedSince || !(StampOf(s.file) == s.stamp);
    }
    if (!differs) {  // the show files hold all of it
        unlink(path.c_str());
        return false;
    }
    const std::string left = LocalTime(show.left, "%Y-%m-%d at %H:%M:%S");
    if (changedSince) {
        const std::string moved = MoveAside(path, show.left);
        Tell(doc, "A recovery copy of the show from " + left +
                      " differs from the show files, but they were saved after it.\nThe show files open as they are" +
                      (moved.empty() ? "." : "; the copy is kept as " + moved + "."),
             "NOTICE");
        return false;
    }
    Tell(doc, "The console was left on " + left + " without closing.\nA recovery copy holds the cue list " +
                  show.cueList + " with " + std::to_string(show.cues) + (show.cues == 1 ? " cue" : " cues") + " and " +
                  std::to_string(show.chases) + (show.chases == 1 ? " chase." : " chases."),
         "NOTICE");
    const bool yes = doc.m_operator != nullptr &&
                     doc.m_operator->Ask("Recover the show from the recovery copy?\nYes opens the recovered show; "
                                         "No opens the show files as they are and keeps the copy in the Recovery "
                                         "folder.",
                                         "Question");
    if (!yes) {
        MoveAside(path, show.left);
        return false;
    }
    LoadRecovered(doc, show, layoutDiffers);
    return true;
}

}  // namespace

void LoadShow(CShowData& doc)
{
    if (!OfferRecovery(doc)) {
        doc.LoadFile("chase");
        doc.LoadFile("cue");
    }
    if (doc.m_changes != nullptr)
        doc.m_changes->Follow();
}

void ShowSavedWhole(CShowData& doc)
{
    if (doc.m_changes != nullptr)
        doc.m_changes->Saved();
}
