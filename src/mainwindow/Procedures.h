#pragma once

#include <QByteArray>
#include <QPointer>
#include <QString>

#include <memory>
#include <optional>

class WizardController;
class frmOutput;
class frmSaveChanges;

// The routines that the windows share. They talk through PublicVars.
class Procedures {
public:
    explicit Procedures(frmOutput &output);
    ~Procedures();

    WizardController &wizard() { return *m_wizard; }
    frmOutput &output() { return m_output; }

    // Composes the server file from the record and the general-settings page
    // into the main window.
    void BuildServerFile();
    // Shows a server file and restores the wizard's answers from it.
    void LoadServerFile(const QString &path);
    // Brings in any server file, such as one written by hand.
    void ImportServerFile(const QString &path);
    // Asks about unsaved changes before anything is closed; the answer is in
    // CancelClose, or the program ends when nothing is unsaved.
    void ConfirmClose();
    // Asks for a file name and writes the server file text.
    void SaveServerFile();

    // Each page stores its own mask when left by Next; these bring the record
    // up to date from a page now, creating it if it does not exist yet.
    void CalcDMFlags();
    void CalcWeaponBan();
    void CalcFeatureBan();

    // The server runs no file over 32 KB (a generated one is a few KB); files
    // up to 32 times that still open, so that an over-long one can be cut
    // down by hand, and lines up to three times that. Larger ones are
    // refused: the text area would then take a noticeable time for every key
    // (a 1 MiB line about 0.4 s).
    static constexpr qint64 MaxServerFileBytes = 1024 * 1024;
    static constexpr qint64 MaxServerLineBytes = 96 * 1024;

private:
    bool settleUnsavedText();
    void refuse(const QString &path, const QString &text);
    std::optional<QByteArray> readServerFileBytes(const QString &path);

    frmOutput &m_output;
    std::unique_ptr<WizardController> m_wizard;
    QPointer<frmSaveChanges> m_prompt;
};
