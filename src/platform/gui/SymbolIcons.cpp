#include "platform/gui/SymbolIcons.h"

#include "platform/core/Console.h"

#include <QAction>
#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>
#include <algorithm>
#include <array>
#include <cmath>
#include <numbers>

namespace SymbolIcons {

namespace {

// Each symbol is drawn in a 24 x 24 box; the engine scales it to the size asked for.
using Draw = void (*)(QPainter&);

void arrowUp(QPainter& p, qreal x, qreal top, qreal bottom)
{
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.drawPolyline(QPolygonF{{x - 4, top + 4}, {x, top}, {x + 4, top + 4}});
}

void arrowDown(QPainter& p, qreal x, qreal top, qreal bottom)
{
    p.drawLine(QPointF(x, top), QPointF(x, bottom));
    p.drawPolyline(QPolygonF{{x - 4, bottom - 4}, {x, bottom}, {x + 4, bottom - 4}});
}

void drawSort(QPainter& p)
{
    arrowUp(p, 8, 3, 21);
    arrowDown(p, 16, 3, 21);
}

void drawPrinter(QPainter& p)
{
    p.drawRect(QRectF(7, 3, 10, 6));
    p.drawRoundedRect(QRectF(3, 9, 18, 8), 2, 2);
    p.drawRect(QRectF(7, 14, 10, 7));
}

void drawCamera(QPainter& p)
{
    p.drawRoundedRect(QRectF(2, 7, 20, 13), 3, 3);
    QPainterPath top;
    top.addRect(QRectF(8, 4, 8, 3));
    p.fillPath(top, p.pen().color());
    p.drawEllipse(QPointF(12, 13.5), 4, 4);
    p.setBrush(p.pen().color());
    p.drawEllipse(QPointF(12, 13.5), 1.5, 1.5);
}

void drawShare(QPainter& p)
{
    p.drawPolyline(QPolygonF{{8, 9}, {5, 9}, {5, 21}, {19, 21}, {19, 9}, {16, 9}});
    arrowUp(p, 12, 2, 14);
}

void drawClipboard(QPainter& p)
{
    p.drawRoundedRect(QRectF(5, 4, 14, 18), 2, 2);
    p.drawRect(QRectF(9, 2, 6, 4));
    p.drawLine(QPointF(8, 11), QPointF(16, 11));
    p.drawLine(QPointF(8, 15), QPointF(16, 15));
}

void drawPhoto(QPainter& p)
{
    p.drawRoundedRect(QRectF(2, 4, 20, 16), 2, 2);
    p.drawPolyline(QPolygonF{{2, 18}, {9, 11}, {14, 16}, {17, 13}, {22, 18}});
    p.drawEllipse(QPointF(16, 8.5), 1.5, 1.5);
}

void drawTrash(QPainter& p)
{
    p.drawLine(QPointF(3, 6), QPointF(21, 6));
    p.drawPolyline(QPolygonF{{9, 6}, {9, 3}, {15, 3}, {15, 6}});
    p.drawPolyline(QPolygonF{{5, 6}, {6, 21}, {18, 21}, {19, 6}});
    p.drawLine(QPointF(10, 10), QPointF(10, 17));
    p.drawLine(QPointF(14, 10), QPointF(14, 17));
}

void drawPlus(QPainter& p)
{
    p.drawLine(QPointF(12, 3), QPointF(12, 21));
    p.drawLine(QPointF(3, 12), QPointF(21, 12));
}

void drawCross(QPainter& p)
{
    p.drawLine(QPointF(5, 5), QPointF(19, 19));
    p.drawLine(QPointF(19, 5), QPointF(5, 19));
}

void drawMagnifier(QPainter& p)
{
    p.drawEllipse(QPointF(10, 10), 6.5, 6.5);
    p.drawLine(QPointF(15, 15), QPointF(21, 21));
}

void drawEnvelope(QPainter& p)
{
    p.drawRect(QRectF(2, 5, 20, 14));
    p.drawPolyline(QPolygonF{{2, 5}, {12, 13}, {22, 5}});
}

void drawStar(QPainter& p)
{
    QPolygonF star;
    for (int i = 0; i < 10; ++i) {
        const qreal radius = (i % 2 == 0) ? 10 : 4;
        const qreal angle = std::numbers::pi / 5 * i - std::numbers::pi / 2;
        star << QPointF(12 + radius * std::cos(angle), 13 + radius * std::sin(angle));
    }
    p.drawPolygon(star);
}

void drawGlobe(QPainter& p)
{
    p.drawEllipse(QPointF(12, 12), 9.5, 9.5);
    p.drawEllipse(QPointF(12, 12), 4, 9.5);
    p.drawLine(QPointF(2.5, 12), QPointF(21.5, 12));
    p.drawLine(QPointF(12, 2.5), QPointF(12, 21.5));
}

void drawDocument(QPainter& p)
{
    p.drawPolyline(
        QPolygonF{{14, 2}, {5, 2}, {5, 22}, {19, 22}, {19, 7}, {14, 2}, {14, 7}, {19, 7}});
    for (qreal y : {11.0, 14.5, 18.0})
        p.drawLine(QPointF(8, y), QPointF(16, y));
}

void drawFolder(QPainter& p)
{
    p.drawPolyline(QPolygonF{{2, 19}, {2, 5}, {9, 5}, {11, 8}, {22, 8}, {22, 19}, {2, 19}});
    p.drawLine(QPointF(2, 11), QPointF(22, 11));
}

// A key with a cross: take away what is there.
void drawDeleteRight(QPainter& p)
{
    p.drawPolygon(QPolygonF{{8, 5}, {22, 5}, {22, 19}, {8, 19}, {2, 12}});
    p.drawLine(QPointF(11, 9), QPointF(17, 15));
    p.drawLine(QPointF(17, 9), QPointF(11, 15));
}

// Two links of a chain.
void drawLink(QPainter& p)
{
    p.save();
    p.translate(12, 12);
    p.rotate(-45);
    p.drawRoundedRect(QRectF(-10.5, -3.75, 12, 7.5), 3.75, 3.75);
    p.drawRoundedRect(QRectF(-1.5, -3.75, 12, 7.5), 3.75, 3.75);
    p.restore();
}

// A speech bubble with lines of text.
void drawTextBubble(QPainter& p)
{
    QPainterPath bubble;
    bubble.addRoundedRect(QRectF(2, 3, 20, 14), 4, 4);
    QPainterPath tail;
    tail.addPolygon(QPolygonF{{6, 16}, {6, 22}, {12, 16}});
    tail.closeSubpath();
    // One outline, so the tail opens into the bubble.
    p.drawPath(bubble.united(tail));
    p.drawLine(QPointF(7, 8), QPointF(17, 8));
    p.drawLine(QPointF(7, 12), QPointF(14, 12));
}

struct Symbol
{
    const char* name;
    const char* title;
    Draw draw;
};

constexpr std::array symbols{
    Symbol{"arrow.up.arrow.down", QT_TRANSLATE_NOOP("SymbolIcons", "Sort"), drawSort},
    Symbol{"printer", QT_TRANSLATE_NOOP("SymbolIcons", "Print"), drawPrinter},
    Symbol{"camera.fill", QT_TRANSLATE_NOOP("SymbolIcons", "Camera"), drawCamera},
    Symbol{"square.and.arrow.up", QT_TRANSLATE_NOOP("SymbolIcons", "Share"), drawShare},
    Symbol{"doc.on.clipboard", QT_TRANSLATE_NOOP("SymbolIcons", "Paste"), drawClipboard},
    Symbol{"doc.on.clipboard.fill", QT_TRANSLATE_NOOP("SymbolIcons", "Paste"), drawClipboard},
    Symbol{"folder.fill", QT_TRANSLATE_NOOP("SymbolIcons", "Folder"), drawFolder},
    Symbol{"delete.right.fill", QT_TRANSLATE_NOOP("SymbolIcons", "Remove"), drawDeleteRight},
    Symbol{"photo", QT_TRANSLATE_NOOP("SymbolIcons", "Photo"), drawPhoto},
    Symbol{"trash", QT_TRANSLATE_NOOP("SymbolIcons", "Delete"), drawTrash},
    Symbol{"plus", QT_TRANSLATE_NOOP("SymbolIcons", "Add"), drawPlus},
    Symbol{"xmark", QT_TRANSLATE_NOOP("SymbolIcons", "Close"), drawCross},
    Symbol{"magnifyingglass", QT_TRANSLATE_NOOP("SymbolIcons", "Search"), drawMagnifier},
    Symbol{"envelope", QT_TRANSLATE_NOOP("SymbolIcons", "Mail"), drawEnvelope},
    Symbol{"star", QT_TRANSLATE_NOOP("SymbolIcons", "Rate"), drawStar},
    Symbol{"globe", QT_TRANSLATE_NOOP("SymbolIcons", "Web"), drawGlobe},
    Symbol{"doc.text", QT_TRANSLATE_NOOP("SymbolIcons", "Document"), drawDocument},
    Symbol{"link", QT_TRANSLATE_NOOP("SymbolIcons", "Link"), drawLink},
    Symbol{"text.bubble", QT_TRANSLATE_NOOP("SymbolIcons", "Message"), drawTextBubble},
};

const Symbol* find(const QString& systemName)
{
    for (const Symbol& symbol : symbols) {
        if (systemName == QLatin1String(symbol.name))
            return &symbol;
    }
    return nullptr;
}

// Painted on every request, so the symbol follows the palette (dark style) and any size.
class SymbolEngine final : public QIconEngine
{
public:
    explicit SymbolEngine(Draw draw) : m_draw(draw) {}

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        const QPalette palette = QGuiApplication::palette();
        QColor colour = palette.color(
            mode == QIcon::Disabled ? QPalette::Disabled : QPalette::Active, QPalette::ButtonText);
        if (mode == QIcon::Selected)
            colour = palette.color(QPalette::HighlightedText);
        const qreal side = std::min(rect.width(), rect.height());
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.x() + (rect.width() - side) / 2.0,
                           rect.y() + (rect.height() - side) / 2.0);
        painter->scale(side / 24.0, side / 24.0);
        painter->setPen(QPen(colour, 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        painter->setBrush(Qt::NoBrush);
        m_draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap pixmap(size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return pixmap;
    }

    QIconEngine* clone() const override { return new SymbolEngine(m_draw); }
    QString key() const override { return QStringLiteral("VelloraSymbol"); }

private:
    Draw m_draw;
};

} // namespace

bool isKnown(const QString& systemName)
{
    return find(systemName) != nullptr;
}

QStringList knownNames()
{
    QStringList names;
    for (const Symbol& symbol : symbols)
        names.append(QLatin1String(symbol.name));
    return names;
}

QIcon icon(const QString& systemName)
{
    const Symbol* symbol = find(systemName);
    return symbol ? QIcon(new SymbolEngine(symbol->draw)) : QIcon();
}

QString fallbackTitle(const QString& systemName)
{
    const Symbol* symbol = find(systemName);
    return symbol ? QCoreApplication::translate("SymbolIcons", symbol->title) : systemName;
}

void apply(QAction* action, const QString& systemName, const QString& title)
{
    if (!action)
        return;
    const QString text = title.isEmpty() ? fallbackTitle(systemName) : title;
    if (!isKnown(systemName))
        Console::printLine(
            QStringLiteral("No symbol named %1; showing its title \"%2\"").arg(systemName, text));
    action->setIcon(icon(systemName));
    action->setText(text);
    action->setToolTip(text);
}

QAction* makeAction(const QString& systemName, QObject* parent, const QString& title)
{
    auto* action = new QAction(parent);
    apply(action, systemName, title);
    return action;
}

} // namespace SymbolIcons
