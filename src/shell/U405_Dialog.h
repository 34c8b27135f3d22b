#pragma once
// The unit chooser: a small modal window with an item's two unit names on
// two large buttons. The caller sets the captions of MirelImg_ok (the large
// unit) and MirelImg_yes (the middle unit), runs exec() and takes the pressed
// button's caption as the line's unit: MirelImg_ok returns 1, MirelImg_yes 6.

#include <QDialog>
#include <QString>

#include <memory>


namespace Ui {
class TF405_Dialog;
}

class TF405_Dialog : public QDialog {
    Q_OBJECT

public:
    explicit TF405_Dialog(QWidget *parent = nullptr);
    ~TF405_Dialog() override;

    // The generated form: every control under its component name.
    Ui::TF405_Dialog &form() const { return *ui; }

    // The large unit on MirelImg_ok, the middle unit on MirelImg_yes.
    void SetUnits(const QString &large, const QString &middle);
    // The caption of the button that ended the dialog with result (1 or 6);
    // empty for any other result.
    QString UnitOf(int result) const;

protected:
    // Centred on the window it belongs to, or on the screen without one.
    void showEvent(QShowEvent *event) override;

private:
    std::unique_ptr<Ui::TF405_Dialog> ui;
};

extern TF405_Dialog *F405_Dialog;
