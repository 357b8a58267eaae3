// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "decorateddialog.h"

class QLineEdit;
class QRadioButton;

namespace quorvel {

class UserDialogs;

// The communication settings of network exercises: folder, channel, method.
struct NetworkCommunication {
    QString NetzKomOrdner;
    QString NetzKomKanal = QStringLiteral("MASTER-1");
    int NetzKomVerfahren = 1; // 1 combined (datagrams), else folder only
};

// "Kommunikation für Netzwerk-Übungen". OK checks the folder and, for the
// folder-only method, that this PC may write there; the dialog stays open
// when either fails, the values typed being taken over all the same.
class TKommVerzForm : public DecoratedDialog {
    Q_OBJECT
public:
    TKommVerzForm(UserDialogs& dialogs, QWidget* parent = nullptr);

    // Shows `current`; returns the values to keep (changed on OK and on a
    // failed check, unchanged on cancel).
    NetworkCommunication edit(const NetworkCommunication& current);

    // The access test; `silent` shows only a failure.
    bool accessTest(bool silent);

private:
    void confirm();
    NetworkCommunication typed() const;

    UserDialogs& m_dialogs;
    QLineEdit* m_folder;
    QLineEdit* m_channel;
    QRadioButton* m_byFolder;
    QRadioButton* m_combined;
    NetworkCommunication m_result;
};

QString msgNoFolderAccess(const QString& folder);

} // namespace quorvel
