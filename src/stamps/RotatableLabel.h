#pragma once

#include <QLabel>
#include <QTransform>

// A label that can be turned: setting `rotation` to d degrees replaces its transform with a
// rotation by d / 180 * pi about its centre. The value itself is not kept: reading it gives 0.
class RotatableLabel final : public QLabel
{
    Q_OBJECT
    Q_PROPERTY(int rotation READ rotation WRITE setRotation)

public:
    using QLabel::QLabel;

    int rotation() const { return 0; }
    void setRotation(int degrees);

    QTransform transform() const { return m_transform; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTransform m_transform;
};
