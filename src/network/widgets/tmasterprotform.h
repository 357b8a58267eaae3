// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "classpicture.h"
#include "controlgridmodel.h"

#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QPushButton;
class QStackedWidget;
class QTableView;
class QTextBrowser;

namespace quorvel {

class ClassPictureView;
class NetworkTeacher;
class Shell;
class TProtKomForm;

// "Netzwerk-Übung - Kontrollanzeige": the teacher's live view of a network
// exercise, modeless and on top. The participant page shows the class's grid
// as messages arrive; the information page the exercise's settings and
// solutions with the teacher's comments; the class picture the document's
// page with every query field marked by how the class did on it. Every page prints, saves and
// copies. Hiding the window does not end the exercise.
class TMasterProtForm : public QDialog {
    Q_OBJECT
public:
    enum class Page { Participants = 1, Information = 2, ClassPicture = 3 };

    TMasterProtForm(Shell& shell, NetworkTeacher& teacher, QWidget* parent = nullptr);

    // A new initiation: the grid of the teacher's new state, the information
    // text (report markup) and registration open.
    void startExercise(const QString& information);
    // The page of the class picture: the learning view's composed page of
    // the published document (classPicturePage()). startExercise() forgets
    // the previous one, so it is set after each startExercise().
    void setClassPicturePage(ClassPicturePage page);
    const ClassPicture& classPicture() const { return m_picture; }
    ClassPictureView* classPictureView() const { return m_pictureView; }

    // The lesson code of the exercise, shown large for the class to copy;
    // empty hides it.
    void setLessonCode(const QString& code);
    QLabel* lessonCodeLabel() const { return m_lessonCode; }
    // Shows the window on the participant page with the focus on the grid.
    void showDisplay();
    void selectPage(Page page);
    Page page() const { return m_page; }
    void refreshCaption();

    // What "Bestenliste..." opens and what ending asks and does; set by the
    // main window.
    std::function<void()> showBestList;
    // Runs the end with its question; true when the exercise ended.
    std::function<bool()> endExercise;

    void save();
    void copy();
    void print();
    void addComment();
    // Appends a comment under the title "Kommentar"; blanks add nothing.
    void appendComment(const QString& comment);

    QString information() const { return m_information; }
    QString gridAsText() const;
    ControlGridModel& model() { return m_model; }
    QTableView* grid() const { return m_grid; }
    QCheckBox* registration() const { return m_registration; }
    TProtKomForm* commentForm() const { return m_commentForm; }

private:
    void registrationClicked(bool open);
    void refreshStatusLine();
    void refreshClassPicture();

    Shell& m_shell;
    NetworkTeacher& m_teacher;
    ControlGridModel m_model;
    QString m_information;
    Page m_page = Page::Participants;
    QPushButton* m_participantsButton;
    QPushButton* m_informationButton;
    QPushButton* m_pictureButton;
    ClassPicture m_picture;
    ClassPictureView* m_pictureView;
    QStackedWidget* m_pages;
    QTableView* m_grid;
    QTextBrowser* m_text;
    QCheckBox* m_registration;
    QLabel* m_statusLine;
    QLabel* m_lessonCode;
    TProtKomForm* m_commentForm;
};

} // namespace quorvel
