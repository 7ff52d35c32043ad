#pragma once

#include "stamps/StampFormViewController.h"

// The form on which the collector records a new stamp.
class AddViewController final : public StampFormViewController
{
    Q_OBJECT

public:
    explicit AddViewController(Environment& environment, QObject* parent = nullptr);

    QLineEdit* MarginsTextField = nullptr;

public Q_SLOTS:
    void SaveNewStampButtonClicked();

protected:
    void buildView(QWidget* view) override;
};
