#include "browse/StampDetailPane.h"

#include "platform/gui/Alert.h"
#include "platform/gui/NavigationController.h"
#include "stamps/EditViewController.h"

#include <QLabel>
#include <QStackedWidget>
#include <QVBoxLayout>

StampDetailPane::StampDetailPane(ViewController* list,
                                 std::function<EditViewController*()> makeForm,
                                 AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent), m_list(list), m_makeForm(std::move(makeForm)), m_alerts(alerts),
      m_pages(new QStackedWidget(this)), m_placeholder(new QLabel(this))
{
    setObjectName(QStringLiteral("StampDetailPane"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_pages);
    m_placeholder->setText(tr("Choose a stamp in the list to see it here."));
    m_placeholder->setAlignment(Qt::AlignCenter);
    m_placeholder->setWordWrap(true);
    m_pages->addWidget(m_placeholder);
}

Stamps* StampDetailPane::stamp() const
{
    return m_form && m_pages->currentWidget() == m_stack ? m_form->detailItem() : nullptr;
}

bool StampDetailPane::hasUnsavedChanges() const
{
    return m_stack && m_stack->changedScreen() != nullptr;
}

void StampDetailPane::showStamp(Stamps* stamp, const std::function<void(bool shown)>& done)
{
    if (stamp && stamp == this->stamp()) {
        done(true);
        return;
    }
    if (!hasUnsavedChanges()) {
        show(stamp);
        done(true);
        return;
    }
    if (m_asking) {
        done(false);
        return;
    }
    m_asking = true;
    const QPointer<StampDetailPane> self(this);
    const auto answered = [self, stamp, done](bool switching) {
        if (!self)
            return;
        self->m_asking = false;
        if (switching)
            self->show(stamp);
        done(switching);
    };
    Alert alert{tr("Save changes?"),
                tr("The stamp shown beside the list has changes that are not saved."),
                {}};
    alert.actions.append({tr("Save"), AlertAction::Style::Default, [self, answered] {
                              if (!self || !self->m_form)
                                  return;
                              self->m_form->SaveButtonClicked();
                              // A refused save keeps the form and its changes.
                              answered(!self->m_form->hasUnsavedChanges());
                          }});
    alert.actions.append(
        {tr("Discard"), AlertAction::Style::Destructive, [answered] { answered(true); }});
    alert.actions.append(
        {tr("Keep Editing"), AlertAction::Style::Cancel, [answered] { answered(false); }});
    m_alerts.present(alert.withContext(this));
}

void StampDetailPane::show(Stamps* stamp)
{
    if (!stamp) {
        m_pages->setCurrentWidget(m_placeholder);
        return;
    }
    if (!m_stack) {
        EditViewController* form = m_makeForm();
        if (!form)
            return;
        form->setStaysAfterSave([this](Stamps* saved) { Q_EMIT this->saved(saved); });
        m_form = form;
        m_stack = new NavigationController(std::unique_ptr<ViewController>(form), m_list, this);
        m_stack->setObjectName(QStringLiteral("DetailStack"));
        m_pages->addWidget(m_stack);
        if (m_onScreen) {
            m_stack->beginAppearanceTransition(true, false);
            m_stack->endAppearanceTransition();
        }
    }
    // The notes or the picture of the stamp shown before go with it.
    m_stack->popToRootViewController(false);
    m_form->setDetailItem(stamp);
    m_pages->setCurrentWidget(m_stack);
}

void StampDetailPane::setOnScreen(bool shown)
{
    if (shown == m_onScreen)
        return;
    m_onScreen = shown;
    if (m_stack) {
        m_stack->beginAppearanceTransition(shown, false);
        m_stack->endAppearanceTransition();
    }
}
