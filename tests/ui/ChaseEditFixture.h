#pragma once
// The chase edit screen opened on a prepared program directory: 18 tiers of which
// tier 12 is absent, every other element present, and chases laid in by hand.

#include "app/ShowApp.h"
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ChaseEditTables.h"
#include "tests/FileTestSupport.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStringList>

class ChaseEditTest : public FileTest {
protected:
    void SetUp() override
    {
        std::string layout = kDefaultColors;
        for (int t = 1; t <= kTiers; ++t)
            if (t != 12)
                layout += "row|" + std::to_string(t) + "|2|3|1|4|5|0|\n";
        dir.Write("colors.txt", layout + "star|4|\ncross|0|\nchest|4|0|2|3|1|5|\noutline|0|4|2|0|4|2|\n");
        InstallSprites();
        ASSERT_TRUE(doc->LoadLayout());
        doc->m_pictureLeft = 360;
        doc->m_pictureTop = 50;
        doc->m_pictureRight = 780;
        doc->m_pictureBottom = 600;
    }

    // Opens the screen the way the cue editor does, on the chase `name`.
    void Open(const char* name)
    {
        editor = std::make_unique<CChaseEditDlg>(*doc);
        std::snprintf(editor->m_chaseName, kNameSize, "%s", name);
        std::snprintf(doc->m_text, sizeof doc->m_text, "%s", name);
        editor->show();
    }

    template <class T = QPushButton>
    T* Control(const char* id) const
    {
        return editor->findChild<T*>(id);
    }
    void Click(const char* id) { Control(id)->click(); }
    QString Counter() const { return Control<QLineEdit>("1181")->text(); }
    QListWidget* List() const { return Control<QListWidget>("1055"); }
    QStringList Entries() const
    {
        QStringList names;
        for (int row = 0; row < List()->count(); ++row)
            names << List()->item(row)->text();
        return names;
    }
    QString Selected() const
    {
        const auto selected = List()->selectedItems();
        return selected.isEmpty() ? QString() : selected.first()->text();
    }
    // The colour a lamp button's picture shows.
    QColor Picture(const char* id) const { return Control(id)->icon().pixmap(8, 8).toImage().pixelColor(4, 4); }

    std::unique_ptr<CChaseEditDlg> editor;
};
