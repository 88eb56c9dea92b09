#pragma once
// A program folder in a temporary directory with the seven windows created in
// it, as the program does at start.

#include <QString>
#include <QTemporaryDir>
#include <QWidget>
#include <functional>

class TTestEnv
{
public:
    TTestEnv();
    ~TTestEnv();

    // The program folder (Path_Exe once started).
    QString Folder() const { return m_dir.path(); }
    // Writes a file below the program folder, creating its folders.
    void Write_File(const QString &relativePath, const QByteArray &bytes) const;
    QByteArray Read_File(const QString &relativePath) const;

    // Resets the shared state and creates the seven windows here.
    void Start();
    // Closes the main window (which saves the settings) and deletes the windows.
    void Stop();

private:
    QTemporaryDir m_dir;
    bool m_started = false;
};

// Runs action as soon as the next modal dialog is showing (or after timeoutMs),
// so a test can drive a dialog that exec() is waiting on.
void When_Modal_Shows(std::function<void(QWidget *)> action, int timeoutMs = 5000);

// A window that counts its paints, to show that a wait keeps repainting.
class TPaint_Counter : public QWidget
{
public:
    int Paints = 0;

protected:
    void paintEvent(QPaintEvent *) override { ++Paints; }
};
