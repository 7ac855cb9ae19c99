#include "widgets/LampImages.h"

#include <array>

namespace {

struct LampPicture {
    int id;
    QColor color;
    int width;
    int height;
};

// The solid-colour lamp pictures, by their resource number.
constexpr int kBlack = 135, kWhite = 136, kRed = 137, kGreen = 138, kYellow = 139, kOrange = 140,
              kWhite2 = 141, kBlack2 = 142, kBlue = 143, kBadgeA = 145, kBadgeB = 146;

QImage Picture(int id)
{
    static const LampPicture pictures[] = {
        {kBlack, QColor(0, 0, 0), 22, 21},        {kWhite, QColor(255, 255, 255), 22, 21},
        {kRed, QColor(255, 0, 0), 26, 23},        {kGreen, QColor(0, 255, 0), 25, 23},
        {kYellow, QColor(255, 255, 0), 26, 23},   {kOrange, QColor(250, 194, 0), 26, 22},
        {kWhite2, QColor(255, 255, 255), 25, 22}, {kBlack2, QColor(0, 0, 0), 24, 20},
        {kBlue, QColor(0, 0, 255), 23, 20},
    };
    for (const LampPicture& p : pictures) {
        if (p.id == id) {
            QImage image(p.width, p.height, QImage::Format_RGB888);
            image.fill(p.color);
            return image;
        }
    }
    // The two 48 x 48 badges: a black-and-white checker, shown by no screen.
    QImage badge(48, 48, QImage::Format_RGB888);
    for (int y = 0; y < 48; ++y)
        for (int x = 0; x < 48; ++x)
            badge.setPixelColor(x, y, ((x / 8 + y / 8 + (id == kBadgeB ? 1 : 0)) % 2) ? Qt::white : Qt::black);
    return badge;
}

std::array<QImage, kLampImageSlots> MakeTable()
{
    static const int ids[kLampImageSlots] = {kWhite, kBlue, kRed, kGreen, kYellow, kOrange, kWhite2, kBlack2,
                                              kWhite, kWhite, kBlack, kBlack, kBlack, kBlack, kBlack, kBlack,
                                              kBlack, kBlack, kBlack, kBlack, kBadgeA, kBadgeB};
    std::array<QImage, kLampImageSlots> table;
    for (int i = 0; i < kLampImageSlots; ++i)
        table[i] = Picture(ids[i]);
    return table;
}

}  // namespace

const QImage& LampImage(int slot)
{
    static const std::array<QImage, kLampImageSlots> table = MakeTable();
    static const QImage none;
    if (slot < 0 || slot >= kLampImageSlots)
        return none;
    return table[slot];
}
