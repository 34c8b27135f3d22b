#pragma once
// The settings screen " 환경 설정": five pages of the terminal's operating
// settings (general, payment and points, hardware, tables, production), the
// save to the server's configuration row and printer-kind row, and on the
// table page an editor of each floor's restaurant-table layout built from
// TMirelTable tiles.
//
// Opening it (the sign-in screen does this for a user with the settings
// right):
//
//     TF302_ConfigEnv::Execute(parent);   // creates F302_ConfigEnv, runs it
//                                         // modally, frees it; returns the
//                                         // modal result (2 when closed)
//
// or, for a caller that wants the object: `new TF302_ConfigEnv(parent)`, then
// exec() (show() works as well; the settings are loaded when it is shown).
// The global F302_ConfigEnv points at the open screen and is cleared when it
// is destroyed.
//
// All values live in MyConfig. LoadSettings copies the record into the
// controls and SaveSettings the controls into the record; the save button
// then sends the configuration row (only while DM's remote connection is
// connected) and the printer-kind row (always); when either row did not
// reach the server a notice says so. Nothing else writes the
// record except the layout editor, which keeps the floor count, the floor
// names and the two counts of each floor in the record at once; tile
// positions and sizes are never stored.
//
// Test seams: questions and notices go through ShowMessageBox (answered by a
// MessageResponder in tests); the two file dialogs go through the file
// chooser (SetFileChooser).

#include "Components/MirelComp/MirelTable.h"

#include <QDialog>
#include <QList>
#include <QPoint>
#include <QPointer>
#include <QString>

#include <array>
#include <functional>
#include <memory>

class QLineEdit;
class TMirelImgBtn;

namespace Ui {
class TF302_ConfigEnv;
}

class TF302_ConfigEnv : public QDialog {
    Q_OBJECT

public:
    explicit TF302_ConfigEnv(QWidget *parent = nullptr);
    ~TF302_ConfigEnv() override;

    // The generated form: every control under its component name.
    Ui::TF302_ConfigEnv &form() const { return *ui; }

    // Creates the screen as F302_ConfigEnv, runs it modally and frees it.
    static int Execute(QWidget *parent = nullptr);

    // The file chooser: (parent, title, filter) -> chosen file name, empty
    // when the dialog was cancelled. The filter is in the "name|pattern|..."
    // form ("SWF|*.SWF|JPG|*.JPG"). Returns the previous chooser; an empty
    // function restores the platform's open-file dialog.
    using FileChooser = std::function<QString(QWidget *parent, const QString &title, const QString &filter)>;
    static FileChooser SetFileChooser(FileChooser chooser);

    // The printer kind shown by PrintCongif: "1" receipt printer, "2" driver
    // printer. It starts from the item shown after loading; choosing an item
    // sets it; the save writes it into MyConfig.pcprst.
    QString PrinterKind = QStringLiteral("1");

    // The record into the controls.
    void LoadSettings();
    // The controls into the record. Every numeric field is checked first: a
    // number outside its field's range, or a text that is not a number where
    // the field needs one, shows a notice naming the field, selects its page
    // and returns false with nothing copied.
    bool SaveSettings();

    // Floor buttons of the current floor page: captions and enabled states.
    void ShowLayerButtons();
    // Frees the tiles and builds the current floor's tiles.
    void MakeLayout();
    // Frees the tiles and forgets the selected tile.
    void clearLayout();

    // Layout editor state.
    int currentFloor() const { return m_floor; }
    int floorPage() const { return m_floorPage; }
    bool layoutChanged() const { return m_layoutChanged; }
    TMirelTable *selectedTile() const { return m_selected; }
    const QList<TMirelTable *> &tiles() const { return m_tiles; }

protected:
    void showEvent(QShowEvent *event) override;
    void done(int result) override;

private:
    void connectHandlers();
    void onPageButtonUp(QWidget *sender);
    void onSave();
    void onFileButton(QWidget *sender);
    void onFloorAction(QWidget *sender);
    void onEditorButton(QWidget *sender);
    void onCountEdited(QLineEdit *edit, QLineEdit *other);
    void onFloorCountEdited();
    void applyPtMode(int index);
    void fillFloorEdits();
    void pressFloorButton(int index);
    void applyCount(QLineEdit *edit, QLineEdit *other, bool tables);
    void alignTiles(bool columns);

    void onTileMouseDown(QWidget *sender, QPoint pos);
    void onTileMouseMove(QWidget *sender, QPoint pos);
    void onTileClick(QWidget *sender);
    void onTileMouseUp(QWidget *sender);

    std::unique_ptr<Ui::TF302_ConfigEnv> ui;
    std::array<TMirelImgBtn *, 6> m_layerButtons{};

    int m_floor = 0;          // current floor, 0 .. 19
    int m_floorPage = 0;      // six floor buttons a page
    bool m_layoutChanged = false;
    bool m_dragging = false;
    QPoint m_dragStart;
    QPointer<TMirelTable> m_selected;
    QList<TMirelTable *> m_tiles;
};

extern TF302_ConfigEnv *F302_ConfigEnv;
