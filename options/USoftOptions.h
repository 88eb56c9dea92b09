#pragma once
// The Software Options dialog: the interface language from the language
// files, internet access and the update check, and two table preferences.

#include "ui/UWidgets.h"
#include "options/ULang_List.h"

#include <QDialog>
#include <QStringList>
#include <cstdint>

class QCheckBox;
class QTabWidget;

// What the user chose, handed back on OK; the main window keeps it.
struct TOptions_Choices
{
    QString Language;
    bool Enable_Internet = false;
    bool Enable_Update = false;
    bool Enable_Jump_Field_Tables = false;
    bool Double_Click_Auto_Size = false;
};

class TFSoftOptions : public QDialog
{
    Q_OBJECT
public:
    explicit TFSoftOptions(QWidget *parent = nullptr);

    void FormShow();
    void Create_Lang_List();
    void Update_Lang_Page(int32_t page);
    void Btn_NextClick(QAbstractButton *sender);
    // slot: 1 to 6, the slot whose flag or name was clicked.
    void LangClick(int slot);
    void Update_CheckBox();
    void CB_En_ConClick();
    void Btn_OKClick();
    void Set_Lang();

    // The version check: asks the version page and blocks until it answered.
    static bool Check_Version();
    void Btn_Check_UpdateClick();
    void LL_Check_UpdateLinkClick(const QString &link);

    TTitleBand Title;
    QTabWidget *PC_Options;
    QWidget *TS_Language;
    QLabel *L_Sel_Lang;
    QLabel *I_L[Languages_Per_Page];
    QLabel *L_L[Languages_Per_Page];
    TImageButton *Btn_Prev;
    TImageButton *Btn_Next;
    QLabel *L_Page_Lang;
    QWidget *TS_Con_Options;
    QCheckBox *CB_En_Con;
    QCheckBox *CB_Update;
    TImageButton *Btn_Check_Update;
    QLabel *LL_Check_Update;
    QWidget *TS_Soft_Settings;
    QCheckBox *CB_Soft_Set_Jump_Table;
    QCheckBox *CB_DoubleClick_Auto_Size;
    QWidget *P_Button;
    TImageButton *Btn_OK;
    TImageButton *Btn_Cancel;

    QStringList SL_Languages;
    int32_t Show_Page = 1;
    QString Language_In_Use;
    // Filled by OK.
    TOptions_Choices Choices;

signals:
    // A language was chosen and the string table rebuilt for it: every
    // window's texts are to follow at once. language: the one the table now
    // holds ("English" when its file could not be read).
    void Language_Chosen(const QString &language);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // The texts that join entries with the page and the language in use.
    void Show_Page_Texts(int32_t page);
    QCheckBox *Create_Check_Box(QWidget *page, const QString &name, int left, int top);
};

extern TFSoftOptions *FSoftOptions;
