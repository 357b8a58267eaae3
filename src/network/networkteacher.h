// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "exchangefiles.h"
#include "ioresult.h"
#include "netsettingsfile.h"
#include "teacherstate.h"
#include "tmailslotchannel.h"

#include <QObject>
#include <QTimer>
#include <memory>

namespace quorvel {

class Document;

// The teacher PC's side of a network exercise, without a window: it
// publishes the exercise in the communication folder, receives the
// participants' messages over the method's transport, keeps the class's rows
// and appends their best-list entries. The control display listens to it.
class NetworkTeacher : public QObject {
    Q_OBJECT
public:
    // Which way the participants answer.
    enum class Method { Folder = 0, Combined = 1 };

    struct Publication {
        QString folder;
        QString channel = QStringLiteral("MASTER-1");
        Method method = Method::Combined;
        NetzUebSettings settings;  // the teacher's computer name and confirmed options
        TeacherState::Setup state; // the grid's columns and the teacher's numbering
        QString lessonCode;        // empty: no code, the plain format
        int scanIntervalMs = 150;  // folder polling and channel delivery
    };

    explicit NetworkTeacher(QObject* parent = nullptr);
    ~NetworkTeacher() override;

    // Clears the exchange files, deletes the network best list, writes the
    // document copy and the settings file, starts receiving and opens
    // registration. A failed settings file is reported in the messages and
    // the exercise goes on (participants then never see it); a failed
    // document copy ends the initiation.
    IoResult initiate(Document& document, const Publication& publication);
    // Stops receiving and clears the exchange files; rows and best list stay.
    void end();
    bool running() const { return m_running; }
    // Messages can arrive: the channel is open, or the folder is scanned.
    bool receiving() const { return m_channel.Active() || m_scan.isActive(); }

    IoResult setRegistrationOpen(bool open);

    const TeacherState* state() const { return m_state.get(); }
    const ExchangeFiles* files() const { return m_files.get(); }
    // Datagrams the channel could not take (oversized or the queue full).
    qint64 droppedDatagrams() const;

    // The entry point of both transports.
    void handleMessage(const QString& computer, const QString& user, const QString& text);

Q_SIGNALS:
    // A row was added or changed in these columns.
    void rowChanged(int row, bool added, const QList<int>& columns);
    // A participant's best-list entry was taken (and appended to the list file).
    void bestListEntered();
    // A message was dropped (lesson code) or a join refused (grid full).
    void refused();
    // A message to show (a message file that could not be read, a best list
    // that could not be written).
    void problem(const QString& message);

private:
    void scanFolder();

    bool m_running = false;
    std::unique_ptr<ExchangeFiles> m_files;
    std::unique_ptr<TeacherState> m_state;
    TMailSlotChannel m_channel;
    QTimer m_scan;
};

} // namespace quorvel
