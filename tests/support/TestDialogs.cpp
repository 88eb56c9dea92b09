// One dialog built on its own over a program folder prepared as at start (TestDialogs.h).
#include "TestDialogs.h"

#include "common/UComon.h"
#include "platform/UPlatform.h"
#include "project/UOpenConf.h"
#include "update/UBoot.h"

#include <QListWidget>
#include <QtTest>

void Take_Reports_As_Main_Window(TFBoot *boot)
{
    QObject::connect(boot, &TFBoot::Update_Confirmed, boot, [](const TUpdate_Choices &choices) {
        Last_IP_Address = choices.IP_Address;
        Update_Option = choices.Update_Option;
        Read_Back = choices.Read_Back;
    });
    boot->Run_Updater = [](const QString &program, const QString &parameters, bool hidden) {
        const auto running = Platform().Start_Program(program, parameters, hidden);
        if (!running)
            return Not_Started_Result(program);
        while (running->Is_Running())
            running->Pause(10);
        return running->Ended();
    };
}

TOpen_Run Run_Open_Conf(TFOpenConf *dialog, const std::function<void()> &open,
                        const QList<Qt::Key> &keys, bool cancel)
{
    TOpen_Run run;
    When_Modal_Shows([&](QWidget *modal) {
        if (modal != dialog)
            return;
        for (Qt::Key key : keys)
            QTest::keyClick(dialog->ListBox1, key);
        for (int i = 0; i < dialog->ListBox1->count(); ++i)
            run.rows << dialog->ListBox1->item(i)->text();
        if (QListWidgetItem *item = dialog->ListBox1->currentItem())
            run.selected = item->text();
        run.name_conf = dialog->Name_Conf;
        QTest::mouseClick(cancel ? dialog->Btn_Cancel : dialog->Btn_OK, Qt::LeftButton);
    });
    open();
    return run;
}
