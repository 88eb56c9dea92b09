#pragma once
// One dialog built on its own, as the program builds it at start, in a
// program folder prepared as at start and over the platform's test double.

#include "TestFolder.h"
#include "TestPlatform.h"
#include "TestWindows.h"

#include <QList>
#include <QStringList>
#include <memory>

class TFBoot;

template <class TDialog>
class TDialog_Env : public TTestFolder
{
public:
    // Runs the start-up steps here and builds the dialog; called again, it
    // drops the dialog and starts anew, as the program's next start would.
    TDialog *Build()
    {
        m_dialog.reset();
        Prepare();
        m_dialog = std::make_unique<TDialog>();
        return m_dialog.get();
    }
    TDialog *Dialog() const { return m_dialog.get(); }

    // In place before the dialog exists and until after it is gone.
    TTestPlatform Platform;

private:
    std::unique_ptr<TDialog> m_dialog;
};

// Takes the update dialog's reports as the main window does: the confirmed
// address and choices are kept, and the updater runs to its end.
void Take_Reports_As_Main_Window(TFBoot *boot);

class TFOpenConf;

// What Open Configuration showed and handed back.
struct TOpen_Run
{
    QStringList rows;
    QString selected;
    QString name_conf;
};

// Calls open, which shows dialog modally; presses keys in its list, then OK
// (or Cancel when cancel is set).
TOpen_Run Run_Open_Conf(TFOpenConf *dialog, const std::function<void()> &open,
                        const QList<Qt::Key> &keys = {}, bool cancel = false);
