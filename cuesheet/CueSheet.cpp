#include "cuesheet/CueSheet.h"

#include <QDateTime>
#include <cstring>
#include <unordered_map>

namespace {

// The console's picture rectangle, for a show whose window never set one.
constexpr CRect kPictureArea{360, 50, 780, 600};

std::string Field(const char (&text)[kNameSize])
{
    return std::string(text, strnlen(text, kNameSize));
}

void CopyPictureFields(const CShowData& from, CShowData& to)
{
    to.m_tierCount = from.m_tierCount;
    std::memcpy(to.m_tierPresent, from.m_tierPresent, sizeof to.m_tierPresent);
    std::memcpy(to.m_tierColor, from.m_tierColor, sizeof to.m_tierColor);
    to.m_chestPresent = from.m_chestPresent;
    std::memcpy(to.m_chestColor, from.m_chestColor, sizeof to.m_chestColor);
    to.m_outlinePresent = from.m_outlinePresent;
    std::memcpy(to.m_outlineColor, from.m_outlineColor, sizeof to.m_outlineColor);
    to.m_starPresent = from.m_starPresent;
    to.m_starColor = from.m_starColor;
    to.m_crossPresent = from.m_crossPresent;
    to.m_crossColor = from.m_crossColor;
    std::memcpy(to.m_levelBrush, from.m_levelBrush, sizeof to.m_levelBrush);
    std::memcpy(to.m_stepTierLamps, from.m_stepTierLamps, sizeof to.m_stepTierLamps);
    std::memcpy(to.m_stepChestLamps, from.m_stepChestLamps, sizeof to.m_stepChestLamps);
    std::memcpy(to.m_stepOutlineLamps, from.m_stepOutlineLamps, sizeof to.m_stepOutlineLamps);
    const bool placed = from.m_pictureRight > from.m_pictureLeft && from.m_pictureBottom > from.m_pictureTop;
    to.m_pictureLeft = placed ? from.m_pictureLeft : kPictureArea.left;
    to.m_pictureTop = placed ? from.m_pictureTop : kPictureArea.top;
    to.m_pictureRight = placed ? from.m_pictureRight : kPictureArea.right;
    to.m_pictureBottom = placed ? from.m_pictureBottom : kPictureArea.bottom;
}

}  // namespace

CCueSheet::CCueSheet() : picture(std::make_unique<CShowData>()) {}

void TakeCueSheet(const CShowData& show, CCueSheet& sheet)
{
    sheet.fileName = std::string(show.m_cueFileName, strnlen(show.m_cueFileName, kFileNameSize));
    sheet.date = QDateTime::currentDateTime().toString("yyyy-MM-dd HH:mm").toStdString();
    sheet.tierCount = show.m_tierCount;
    sheet.star = show.m_starPresent;
    sheet.cross = show.m_crossPresent;
    sheet.chest = show.m_chestPresent;
    sheet.outline = show.m_outlinePresent;
    CopyPictureFields(show, *sheet.picture);

    // The record the engine shows first for each chase: its step 1 (the last such
    // record, as loading a chase maps it).
    std::unordered_map<std::string, int> firstStep;
    for (int r = 1; r < kStepRecords; ++r)
        if (show.m_stepNumber[r] == 1 && show.m_stepChase[r][0] != '\0')
            firstStep[Field(show.m_stepChase[r])] = r;

    sheet.rows.clear();
    for (int s = 1; s < kCueSlots; ++s) {
        if (show.m_cueName[s][0] == '\0')
            continue;
        CCueSheetRow row{s, ReadSlot(show, s), 0};
        const auto found = firstStep.find(Field(row.cue.chase));
        row.firstStep = found != firstStep.end() ? found->second : 0;
        sheet.rows.push_back(std::move(row));
    }
}

std::string Seconds(int tenths)
{
    const long long t = tenths;  // INT_MIN has no positive int
    const long long whole = (t < 0 ? -t : t) / 10, tenth = (t < 0 ? -t : t) % 10;
    return (t < 0 ? "-" : "") + std::to_string(whole) + "." + std::to_string(tenth);
}

std::string RunCountText(int runCount)
{
    return runCount == 20 ? "endless" : std::to_string(runCount);
}

std::string ActiveTimeText(int tenths)
{
    return tenths == -1 ? "endless" : Seconds(tenths);
}

std::string BaseName(const std::string& path)
{
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}
