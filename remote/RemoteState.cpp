#include "remote/RemoteState.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

QJsonValue Lamp(const CLampState& lamp)
{
    if (!lamp.lit || !lamp.brush.made)
        return QStringLiteral("");
    return QString::asprintf("%02x%02x%02x", lamp.brush.red, lamp.brush.green, lamp.brush.blue);
}

QJsonObject Tree(const CTreeGeometry& g)
{
    QJsonArray rows;
    const int tiers = g.tierCount >= 0 && g.tierCount <= kTiers ? g.tierCount : 0;
    bool chestBars = false;
    for (int t = 0; t < tiers; ++t) {
        const CTierRow& row = g.row[t];
        QJsonArray stripes;
        for (const CLampState& lamp : row.stripe)
            stripes.append(Lamp(lamp));
        QJsonArray outline;
        for (const COutlineLamp& lamp : row.outline)
            outline.append(Lamp(lamp.state));
        rows.append(QJsonObject{{"s", stripes}, {"o", outline}});
        chestBars = chestBars || row.chestBarCount > 0;
    }
    QJsonArray chest;
    for (const CLampState& lamp : g.chest)
        chest.append(Lamp(lamp));
    return QJsonObject{{"rows", rows},
                       {"chest", chestBars ? chest : QJsonArray()},
                       {"star", Lamp(g.star.state)},
                       {"cross", Lamp(g.cross.state)}};
}

}  // namespace

QByteArray RemoteStateJson(const CRemoteState& s)
{
    QJsonObject o{{"type", "state"},     {"cue", s.cue},         {"cueName", s.cueName},
                  {"nextCue", s.nextCue}, {"nextName", s.nextName}, {"running", s.running},
                  {"paused", s.paused},   {"blackout", s.blackout}, {"master", s.master},
                  {"mode", s.mode},       {"lines", s.lines}};
    if (s.running)
        o.insert("tree", Tree(s.tree));
    return QJsonDocument(o).toJson(QJsonDocument::Compact);
}
