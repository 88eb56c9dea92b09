#pragma once
// Set Communication: edits the open configuration's ParGen.xml in two
// collapsible groups, Serial and Modbus TCP Slave, checks the values on OK and
// writes the file.

#include "ui/UScroll_Panel.h"
#include "ui/UWidgets.h"
#include "common/UXmlDoc.h"
#include "params/UParGen_File.h"

#include <QDialog>
#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLineEdit;

class TFParGen : public QDialog
{
    Q_OBJECT
public:
    explicit TFParGen(QWidget *parent = nullptr);

    void Set_Lang();
    // Places the groups and the buttons and sizes the dialog to them; where
    // the screen is too short for the whole dialog, the groups scroll between
    // the title band and the buttons.
    void Move_GroupBoxs();
    void Btn_GB_Collapse(QAbstractButton *sender);
    void Btn_GB_Expande(QAbstractButton *sender);
    // True when every value passes; otherwise one error box for the first
    // value that fails.
    bool Controllo_Dati();
    void Btn_OKClick();
    // Closes, asking first when something was changed. The close box and the
    // Escape key come here too.
    void Btn_CancelClick();
    // Keeps the title bar on the screen when the dialog is taller than it.
    void FormActivate();

    // The thirty values in file order, from the controls and back.
    TParGen_Values Get_Values() const;
    void Set_Values(const TParGen_Values &values);

    void reject() override;

    TTitleBand Title;
    bool GB_Serial_Visible = true;
    bool GB_ModbusTCPSlave_Visible = true;
    bool Is_Change = false;
    TXMLDocument XML1;

    // The two groups, one under the other.
    TScroll_Panel *P_Groups;

    QGroupBox *GB_Serial;
    QLabel *L_Serial_Serial;
    QComboBox *CB_Serial_Serial;
    QLabel *L_Serial_Baud;
    QComboBox *CB_Serial_Baud;
    QLabel *L_Serial_Par;
    QComboBox *CB_Serial_Parity;
    QLabel *L_Serial_DataBits;
    QComboBox *CB_Serial_DataBits;
    QLabel *L_Serial_SendType;
    QComboBox *CB_Serial_SendType;
    QLabel *L_Serial_ST_EndChar;
    QLineEdit *E_Serial_ST_EndChar;
    QLabel *L_Serial_ST_NumByte;
    QLineEdit *E_Serial_ST_NumByte;
    QLabel *CB_Serial_TimeOut;
    QLineEdit *E_Serial_TimeOut;
    QCheckBox *CB_Serial_Time_Wait_RX;
    QLineEdit *E_Serial_Time_Wait_RX;
    TImageButton *Btn_Serial_Collapse;
    TImageButton *Btn_Serial_Expande;

    QGroupBox *GB_ModbusTCPSlave;
    QLabel *L_ModbusTCPSlave_IP_Add;
    QLineEdit *E_ModbusTCPSlave_IP1;
    QLineEdit *E_ModbusTCPSlave_IP2;
    QLineEdit *E_ModbusTCPSlave_IP3;
    QLineEdit *E_ModbusTCPSlave_IP4;
    QLabel *L_ModbusTCPSlave_SM_Add;
    QLineEdit *E_ModbusTCPSlave_SM1;
    QLineEdit *E_ModbusTCPSlave_SM2;
    QLineEdit *E_ModbusTCPSlave_SM3;
    QLineEdit *E_ModbusTCPSlave_SM4;
    QCheckBox *CB_ModbusTCPSlave_En_GAT;
    QLineEdit *E_ModbusTCPSlave_GAT1;
    QLineEdit *E_ModbusTCPSlave_GAT2;
    QLineEdit *E_ModbusTCPSlave_GAT3;
    QLineEdit *E_ModbusTCPSlave_GAT4;
    QLabel *L_ModbusTCPSlave_Port;
    QLineEdit *E_ModbusTCPSlave_Port;
    QLabel *L_ModbusTCPSlave_Start_Read;
    QLineEdit *E_ModbusTCPSlave_Start_Read;
    QLabel *L_ModbusTCPSlave_Start_Write;
    QLineEdit *E_ModbusTCPSlave_Start_Write;
    QLabel *L_ModbusTCPSlave_Control;
    QLineEdit *E_ModbusTCPSlave_Control;
    QLabel *L_ModbusTCPSlave_Status;
    QLineEdit *E_ModbusTCPSlave_Status;
    QCheckBox *CB_ModbusTCPSlave_NumBytesRX;
    QLineEdit *E_ModbusTCPSlave_NumBytesRX;
    TImageButton *Btn_ModbusTCPSlave_Collapse;
    TImageButton *Btn_ModbusTCPSlave_Expande;

    TImageButton *Btn_OK;
    TImageButton *Btn_Cancel;

protected:
    void showEvent(QShowEvent *event) override;
    bool event(QEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void Create_Serial_Group();
    void Create_ModbusTCPSlave_Group();
    void Set_Creation_Values();
    void Connect_Change_Events();
    void Collapse_Expand_Creation();
    void FormShow();
    void On_Change();
    // "." in an octet edit moves on to the next one of the chain.
    bool Octet_KeyPress(QLineEdit *edit, QKeyEvent *event);

    // The control of each element, in file order.
    std::array<QWidget *, ParGen_Count> m_controls{};
    // IP1..IP4, SM1..SM4, GAT1..GAT4.
    std::array<QLineEdit *, 12> m_octets{};
};

extern TFParGen *FParGen;
