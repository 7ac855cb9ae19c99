// The port setup dialog: its buttons, its status line and when it writes the file.
#include "console/ComPortDlg.h"
#include "link/SerialPort.h"
#include "tests/FileTestSupport.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <cstdio>

namespace {

class PortDialogTest : public FileTest {
protected:
    void Names(const char* tree1, const char* tree2)
    {
        std::snprintf(doc->m_tree1PortName, kPortNameSize, "%s", tree1);
        std::snprintf(doc->m_tree2PortName, kPortNameSize, "%s", tree2);
    }
    QPushButton* Button(CComPortDlg& dialog, const char* id) { return dialog.findChild<QPushButton*>(id); }
    QString Status(CComPortDlg& dialog) { return dialog.findChild<QLineEdit*>("1189")->text(); }
    bool Tree2Shown(CComPortDlg& dialog)
    {
        bool all = true, none = true;
        for (const char* id : {"1186", "1187", "1188", "1191"}) {
            bool hidden = Button(dialog, id)->isHidden();
            all = all && !hidden;
            none = none && hidden;
        }
        EXPECT_TRUE(all || none) << "the Tree 2 buttons show and hide together";
        return all;
    }
};

TEST_F(PortDialogTest, Tree2SwitchTurnsTree2OffAndBackOnAsACopyOfTree1)
{
    Names("COM1", "COM2");
    CComPortDlg dialog(*doc);
    EXPECT_TRUE(Tree2Shown(dialog));
    Button(dialog, "1193")->click();
    EXPECT_STREQ(doc->m_tree2PortName, "NONE");
    EXPECT_FALSE(Tree2Shown(dialog));
    EXPECT_EQ(Status(dialog), "CurrentComPort = COM1 NONE");
    Button(dialog, "1193")->click();
    EXPECT_STREQ(doc->m_tree2PortName, "COM1");
    EXPECT_TRUE(Tree2Shown(dialog));
}

TEST_F(PortDialogTest, PortButtonsSetTheirTreeAndTheStatusLine)
{
    struct Case {
        const char* button;
        const char* tree1;
        const char* tree2;
    };
    const Case cases[] = {
        {"1182", "COM1", "NONE"}, {"1183", "COM2", "NONE"}, {"1184", "COM3", "NONE"}, {"1185", "COM4", "NONE"},
        {"1186", "COM4", "COM1"}, {"1187", "COM4", "COM2"}, {"1188", "COM4", "COM3"}, {"1191", "COM4", "COM4"},
    };
    Names("", "NONE");
    CComPortDlg dialog(*doc);
    EXPECT_FALSE(Tree2Shown(dialog));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        Button(dialog, c.button)->click();
        EXPECT_STREQ(doc->m_tree1PortName, c.tree1);
        EXPECT_STREQ(doc->m_tree2PortName, c.tree2);
        EXPECT_EQ(Status(dialog), QString("CurrentComPort = %1 %2").arg(c.tree1, c.tree2));
    }
}

// A path in the configuration that is no terminal never opens; the dialog says so
// for as long as it is still the tree's choice.
TEST_F(PortDialogTest, PortThatIsNoSerialPortIsSaidUntilAnotherIsChosen)
{
    Names("/dev/null", "NONE");
    CSerialPort tree1(doc->m_tree1PortName);
    doc->m_tree1Port = &tree1;
    CComPortDlg dialog(*doc);
    EXPECT_EQ(Status(dialog), "CurrentComPort = /dev/null NONE - Tree 1: not a serial line: choose another port");
    Button(dialog, "1183")->click();
    EXPECT_EQ(Status(dialog), "CurrentComPort = COM2 NONE");
    doc->m_tree1Port = nullptr;
}

TEST_F(PortDialogTest, WithoutAConfigurationBothNamesAreBlankAndTree2IsOffered)
{
    doc->ReadPortConfig(1);
    doc->ReadPortConfig(2);
    CComPortDlg dialog(*doc);
    EXPECT_EQ(Status(dialog), "CurrentComPort =  ");
    EXPECT_TRUE(Tree2Shown(dialog));
}

// The console takes the choice at once, so there is nothing to warn about.
TEST_F(PortDialogTest, CloseBoxWritesTheFileEvenWithoutChanges)
{
    Names("COM1", "COM2");
    CComPortDlg dialog(*doc);
    dialog.show();
    dialog.close();
    EXPECT_TRUE(person.shown.empty());
    EXPECT_EQ(dir.Read("Glimmerbox.cfg"), "1|COM1|\n2|COM2|\n");
}

TEST_F(PortDialogTest, EnterAndEscapeEndWithoutWritingButKeepTheChoice)
{
    for (int key : {Qt::Key_Escape, Qt::Key_Return}) {
        Names("COM1", "COM2");
        CComPortDlg dialog(*doc);
        dialog.show();
        Button(dialog, "1184")->click();
        QTest::keyClick(Button(dialog, "1184"), static_cast<Qt::Key>(key));
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_STREQ(doc->m_tree1PortName, "COM3");
    }
    EXPECT_TRUE(person.shown.empty());
    EXPECT_FALSE(dir.Exists("Glimmerbox.cfg"));
}

TEST_F(PortDialogTest, UnwritableConfigurationIsReported)
{
    mkdir(dir.Path("Glimmerbox.cfg").c_str(), 0755);  // a directory in the file's place
    Names("COM1", "NONE");
    CComPortDlg dialog(*doc);
    dialog.show();
    dialog.close();
    ASSERT_EQ(person.shown.size(), 1u);
    EXPECT_EQ(person.shown[0].text, "Unable to Modify Config File\n" + dir.Path("Glimmerbox.cfg") +
                                        ": it is not a regular file.\nThe file on disk was not changed.");
    EXPECT_EQ(person.shown[0].caption, "ERROR");
}

}  // namespace
