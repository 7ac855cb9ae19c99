#pragma once
// The tree layout screen: the tier count, the colour of every circuit of each tier,
// the star, cross, chest rail and outline with their colours, and a preview of the
// tree. It edits a copy of the layout; OK hands the copy to the document, which
// saves it, and Cancel, the close box and Escape leave everything as it was.

#include "document/Layout.h"

#include <QDialog>
#include <functional>
#include <vector>

class CLayoutPreview;
class QLabel;
class QPushButton;
class QSpinBox;

class CLayoutEditDlg : public QDialog {
    Q_OBJECT
public:
    explicit CLayoutEditDlg(CShowData& doc, QWidget* parent = nullptr);
    ~CLayoutEditDlg() override;

    // The layout as edited so far; the document gets it only on OK.
    const CLayout& Layout() const { return m_layout; }

    void OnTierCount(int count);
    // Takes the layout over; the screen stays open when the document refuses it or a
    // file could not be written (the operator has been told why).
    void OnOk();

private:
    void BuildControls();
    void AddPartRow(int id, const QString& name, int x, int y, bool& present, int* colors, int count,
                    const std::function<bool()>& shown = {});
    // Shows m_layout in every control, the note and the preview.
    void Refresh();

    CShowData& m_doc;
    CLayout m_layout;
    QSpinBox* m_tierCount = nullptr;
    QLabel* m_library = nullptr;
    QLabel* m_note = nullptr;
    QPushButton* m_ok = nullptr;
    CLayoutPreview* m_preview = nullptr;
    // What Refresh does for each bound control: show its field, enable it or not.
    std::vector<std::function<void()>> m_show;
};
