#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

class AlertPresenter;
class EditViewController;
class NavigationController;
class QLabel;
class QStackedWidget;
class Stamps;
class ViewController;

// The edit form of the stamp chosen in a list, beside the list: a stack of its own, so the notes
// and the enlarged picture open in it as they do from the form on its own. A save stays here.
class StampDetailPane final : public QWidget
{
    Q_OBJECT

public:
    // `list`: the screen the pane is part of; `makeForm`: a fresh edit form.
    StampDetailPane(ViewController* list, std::function<EditViewController*()> makeForm,
                    AlertPresenter& alerts, QWidget* parent = nullptr);

    // The stamp shown; null while none is.
    Stamps* stamp() const;
    EditViewController* form() const { return m_form; }
    // Whether the pane holds changes a switch to another stamp would lose.
    bool hasUnsavedChanges() const;
    // Shows the stamp (null: none) once the changes shown are saved or discarded: the collector
    // is asked Save, Discard or Keep Editing. `done` hears whether the stamp is shown.
    void showStamp(Stamps* stamp, const std::function<void(bool shown)>& done);
    // The pane is on screen with its list, or not: its screens appear and disappear with it.
    void setOnScreen(bool shown);

Q_SIGNALS:
    // The form saved the stamp (null: the stamp was gone meanwhile).
    void saved(Stamps* stamp);

private:
    void show(Stamps* stamp);

    ViewController* m_list;
    std::function<EditViewController*()> m_makeForm;
    AlertPresenter& m_alerts;
    QStackedWidget* m_pages;
    QLabel* m_placeholder;
    QPointer<NavigationController> m_stack;
    QPointer<EditViewController> m_form;
    bool m_onScreen = false;
    bool m_asking = false;
};
