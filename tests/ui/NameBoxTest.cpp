// The name boxes of both editors: a long name of wide letters used to be cut inside a
// letter, and a "|" was taken, which the files write as "/" (another chase's name).
#include "chaseedit/ChaseEditDlg.h"
#include "tests/ui/CueEditFixture.h"
#include "tests/ui/TypeLetters.h"

#include <QApplication>
#include <QClipboard>
#include <QLabel>

namespace {

TEST_F(CueEditTest, NameBoxesKeepWholeLettersAndRefuseTheFieldSeparator)
{
    Cues(2);
    std::snprintf(doc->m_cueFileName, kFileNameSize, "%s", "show.cue");
    std::snprintf(doc->m_chaseFileName, kFileNameSize, "%s", "show.lib");
    Open(2);
    CChaseEditDlg chases(*doc);
    std::snprintf(chases.m_chaseName, kNameSize, "Chase 1");
    chases.show();
    const QString wide = QString::fromUtf8("\u00e9") + QString(40, QChar(0x4e2d));
    const QByteArray fits = wide.left(33).toUtf8();  // é and 32 中: 98 bytes; a 33rd 中 would split
    struct NameBox {
        QLineEdit* box;
        QLabel* note;
        const char* field;
    } boxes[] = {
        {Box("1009"), editor->findChild<QLabel*>("cueNameNote"), doc->m_cueName[2]},
        {chases.findChild<QLineEdit*>("1056"), chases.findChild<QLabel*>("chaseNameNote"), doc->m_stepChase[2]},
    };
    QApplication::clipboard()->setText("x|y");
    for (const NameBox& b : boxes) {
        SCOPED_TRACE(b.box->objectName().toStdString());
        b.box->setFocus();
        b.box->selectAll();
        TypeLetters(b.box, wide);
        EXPECT_EQ(QByteArray(b.field), fits);
        EXPECT_EQ(b.box->text(), QString::fromUtf8(fits));
        QTest::keyClick(b.box, Qt::Key_Backspace);
        for (const char* refused : {"|", "paste"}) {
            if (std::string(refused) == "paste")
                QTest::keyClick(b.box, Qt::Key_V, Qt::ControlModifier);
            else
                TypeLetters(b.box, refused);
            EXPECT_EQ(QByteArray(b.field), fits.left(fits.size() - 3)) << refused;
            EXPECT_TRUE(b.note->isVisible() && b.note->text().contains("|")) << refused;
        }
    }
    chases.close();
    doc->SaveFile("cue");
    doc->SaveFile("chase");
    EXPECT_NE(dir.Read("show.cue").find("\n" + fits.left(fits.size() - 3).toStdString() + "|Chase 2|"),
              std::string::npos);
    EXPECT_NE(dir.Read("show.lib").find("\n" + fits.left(fits.size() - 3).toStdString() + "|1|"), std::string::npos);
}

}  // namespace
