#pragma once
// The lamp pictures the chase editor's step grid shows: slot k = 0..7 is the lit
// lamp of colour index k of the default colour table, slot 11 the unlit lamp.

#include <QImage>

constexpr int kLampImageSlots = 22;
constexpr int kLampOffSlot = 11;

// The picture of one slot (0..21); an empty image for any other number.
const QImage& LampImage(int slot);
