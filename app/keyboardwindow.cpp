#include "keyboardwindow.h"

#include "controls.h"

#include "binds/engine/keys.h"

#include <QDir>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPainter>
#include <QPainterPath>
#include <QVBoxLayout>

#include <cmath>

namespace {

// How each kind of bind shows: a band under the legend in its colour, beside a letter
// that says the same, and its words on hover.
struct KindLook {
    binds::KeyUseKind kind;
    QColor band;
    const char *mark;
    const char *words;
};
const KindLook kindLooks[] = {
    {binds::KeyUseKind::Free, {}, "", "free"},
    {binds::KeyUseKind::Action, QColor(0x2f, 0x6f, 0xd0), "A", "game action"},
    {binds::KeyUseKind::Chat, QColor(0x2e, 0x9a, 0x3c), "C", "chat"},
    {binds::KeyUseKind::Voice, QColor(0xd0, 0x7a, 0x10), "V", "voice command"},
    {binds::KeyUseKind::Command, QColor(0x8a, 0x4c, 0xc0), "X", "other command"},
};

const KindLook &lookOf(binds::KeyUseKind kind)
{
    for (const KindLook &look : kindLooks) {
        if (look.kind == kind)
            return look;
    }
    return kindLooks[0];
}

// The mouse under the keyboard, in the keyboard's units: its buttons and the wheel.
struct MouseCap {
    const char *legend;
    binds::Press::Kind kind;
    int button;
};
constexpr MouseCap mouseCaps[] = {
    {"Left", binds::Press::Kind::MouseButton, 1},     {"Right", binds::Press::Kind::MouseButton, 2},
    {"Middle", binds::Press::Kind::MouseButton, 3},   {"Back", binds::Press::Kind::MouseButton, 4},
    {"Forward", binds::Press::Kind::MouseButton, 5},  {"Wheel up", binds::Press::Kind::WheelUp, 0},
    {"Wheel down", binds::Press::Kind::WheelDown, 0},
};
constexpr double mouseCapWidth = 38, mouseCapHeight = 18, mouseGap = 8;

} // namespace

KeyCapButton::KeyCapButton(const QString &legend, QList<QPointF> shape, QWidget *parent)
    : QAbstractButton(parent)
    , outline(std::move(shape))
    , m_legend(legend)
{
    setFocusPolicy(Qt::StrongFocus);
}

QString KeyCapButton::markOf(binds::KeyUseKind kind)
{
    return QString::fromLatin1(lookOf(kind).mark);
}

void KeyCapButton::setUse(const QString &name, const binds::KeyUse &use, const QString &noneWhy, bool known)
{
    m_name = name;
    m_use = use;
    setEnabled(!name.isEmpty());
    QString tip;
    if (name.isEmpty()) {
        tip = QStringLiteral("%1: no bind reaches it (%2)").arg(m_legend, noneWhy);
    } else if (!known) {
        tip = name;
    } else if (use.kind == binds::KeyUseKind::Free) {
        tip = QStringLiteral("%1: free").arg(name);
    } else {
        tip = QStringLiteral("%1: %2 (%3)").arg(name, use.words, QString::fromLatin1(lookOf(use.kind).words));
        if (!use.file.isEmpty())
            tip += QStringLiteral("\n%1, line %2").arg(QDir::toNativeSeparators(use.file)).arg(use.line);
    }
    setToolTip(tip);
    setAccessibleName(QStringLiteral("%1, %2").arg(m_legend, tip.section(u'\n', 0, 0)));
    update();
}

void KeyCapButton::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF bounds = QRectF(rect()).adjusted(1, 1, -1, -1);
    QPainterPath path;
    if (outline.size() > 2 && place.width() > 0) {
        const double scale = bounds.width() / place.width();
        QPolygonF polygon;
        for (const QPointF &point : outline)
            polygon << bounds.topLeft() + point * scale;
        path.addPolygon(polygon);
        path.closeSubpath();
    } else {
        path.addRoundedRect(bounds, 3, 3);
    }
    const QPalette &colours = palette();
    painter.fillPath(path, isDown() ? colours.mid() : colours.button());
    QPen pen(hasFocus() ? colours.color(QPalette::Highlight) : colours.color(QPalette::ButtonText), hasFocus() ? 3 : 1,
             isEnabled() ? Qt::SolidLine : Qt::DotLine);
    painter.setPen(pen);
    painter.drawPath(path);
    const QRectF box = path.boundingRect();
    if (const QColor band = lookOf(m_use.kind).band; band.isValid() && isEnabled()) {
        painter.fillRect(QRectF(box.left() + 3, box.bottom() - 5, box.width() - 6, 3), band);
        QFont bold = font();
        bold.setBold(true);
        painter.setFont(bold);
        painter.setPen(colours.color(QPalette::ButtonText));
        painter.drawText(box.adjusted(2, 1, -3, 0), Qt::AlignTop | Qt::AlignRight, markOf(m_use.kind));
        painter.setFont(font());
    }
    painter.setPen(colours.color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
    // The legend as large as a key of one row holds it, smaller where it is long.
    QFont legendFont = font();
    const double rowHeight = std::min(box.height(), box.width() * 1.2);
    legendFont.setPixelSize(std::max(7, int(rowHeight / (m_legend.size() > 3 ? 3.6 : 2.6))));
    painter.setFont(legendFont);
    const QString shown = QFontMetrics(legendFont).elidedText(m_legend, Qt::ElideRight, int(box.width()) - 4);
    painter.drawText(box, Qt::AlignCenter, shown);
}

void KeyCapButton::keyPressEvent(QKeyEvent *event)
{
    QPointF direction;
    switch (event->key()) {
    case Qt::Key_Left:
        direction = {-1, 0};
        break;
    case Qt::Key_Right:
        direction = {1, 0};
        break;
    case Qt::Key_Up:
        direction = {0, -1};
        break;
    case Qt::Key_Down:
        direction = {0, 1};
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        click();
        return;
    default:
        QAbstractButton::keyPressEvent(event);
        return;
    }
    // The nearest key that way: the next row (or column) first, then the one most in line.
    const QPointF from = geometry().center();
    KeyCapButton *nearest = nullptr;
    double best = 0;
    for (auto *other : parentWidget()->findChildren<KeyCapButton *>(Qt::FindDirectChildrenOnly)) {
        const QPointF to = QPointF(other->geometry().center()) - from;
        const double ahead = to.x() * direction.x() + to.y() * direction.y();
        if (other == this || ahead <= 0)
            continue;
        const double across = std::abs(to.x() * direction.y() - to.y() * direction.x());
        const double cost = 2 * ahead + across;
        if (!nearest || cost < best) {
            nearest = other;
            best = cost;
        }
    }
    if (nearest)
        nearest->setFocus(Qt::TabFocusReason);
}

KeyboardWindow::KeyboardWindow(const KeyboardLayout &layout, QWidget *mainWindow)
    : QWidget(mainWindow, Qt::Window)
    , m_layout(layout)
{
    setObjectName(QStringLiteral("keyboardWindow"));
    auto *columns = new QHBoxLayout(this);
    auto *left = new QVBoxLayout;
    m_caption = new QLabel(this);
    m_caption->setObjectName(QStringLiteral("keyboardCaption"));
    m_caption->setWordWrap(true);
    left->addWidget(m_caption);
    m_keyboard = new QWidget(this);
    m_keyboard->setObjectName(QStringLiteral("keyboard"));
    m_keyboard->setMinimumSize(640, 300);
    m_keyboard->installEventFilter(this);
    left->addWidget(m_keyboard, 1);
    columns->addLayout(left, 1);
    auto *right = new QVBoxLayout;
    auto *freeLabel = new QLabel(QStringLiteral("Free keys"), this);
    right->addWidget(freeLabel);
    m_freeList = new QListWidget(this);
    m_freeList->setObjectName(QStringLiteral("freeKeys"));
    m_freeList->setAccessibleName(QStringLiteral("Free keys"));
    m_freeList->setMaximumWidth(170);
    freeLabel->setBuddy(m_freeList);
    right->addWidget(m_freeList, 1);
    columns->addLayout(right);
    connect(m_freeList, &QListWidget::itemActivated, this,
            [this](QListWidgetItem *item) { emit keyChosen(item->text()); });

    QString why;
    m_geometry = binds::pcKeyboard(m_layout.isIso(), &why);
    if (m_geometry) {
        for (const binds::KeyCap &cap : m_geometry->keys) {
            // xkb's geometry calls the menu key MENU, its keycodes COMP.
            const binds::KeyPosition *key =
                binds::keyPositionByXkbName(cap.xkbName == u"MENU" ? QStringLiteral("COMP") : cap.xkbName);
            if (!key)
                continue;
            QString legend = m_layout.legendOf(*key);
            if (legend.isEmpty())
                legend = QString::fromLatin1(key->sdlKeyName ? key->sdlKeyName : key->usName).toLower();
            auto *button = new KeyCapButton(legend, cap.outline, m_keyboard);
            button->setObjectName(QStringLiteral("key") + cap.xkbName);
            button->place = cap.rect;
            m_keys << button;
            m_presses << m_layout.pressOf(*key);
        }
        m_mouseTop = m_geometry->size.height() + mouseGap;
    } else {
        m_caption->setText(QStringLiteral("The keyboard cannot be drawn: %1.").arg(why));
    }
    addMouse();
    resize(960, 420);
}

void KeyboardWindow::addMouse()
{
    double x = m_geometry ? 19 : 0;
    for (const MouseCap &cap : mouseCaps) {
        auto *button = new KeyCapButton(QString::fromLatin1(cap.legend), {}, m_keyboard);
        button->setObjectName(QStringLiteral("mouse") + QString::fromLatin1(cap.legend).remove(u' '));
        button->place = QRectF(x, m_mouseTop, mouseCapWidth, mouseCapHeight);
        x += mouseCapWidth + 2;
        binds::Press press;
        press.kind = cap.kind;
        press.mouseButton = cap.button;
        m_keys << button;
        m_presses << press;
    }
    for (KeyCapButton *button : std::as_const(m_keys))
        connect(button, &QAbstractButton::clicked, this, [this, button] { emit keyChosen(button->keyName()); });
}

void KeyboardWindow::showRun(const binds::StartRun &run, const binds::Engine &engine, const QString &gameName)
{
    setWindowTitle(QStringLiteral("%1 keys").arg(gameName));
    updateRun(run, engine);
    show();
    raise();
    activateWindow();
}

void KeyboardWindow::updateRun(const binds::StartRun &run, const binds::Engine &engine)
{
    // Nothing is known of a key before a file was read: none is called free.
    const bool known = run.anyRead() && !run.engines().isEmpty();
    const qsizetype reading = std::max<qsizetype>(0, run.engines().indexOf(&engine));
    const QHash<int, binds::KeyUse> uses = known ? binds::keyUses(run, reading) : QHash<int, binds::KeyUse> {};
    QStringList free;
    for (qsizetype i = 0; i < m_keys.size(); ++i) {
        const binds::PressName named = binds::pressName(m_presses.at(i), engine);
        const std::optional<int> number =
            named.name.isEmpty() ? std::nullopt : binds::keyNumber(named.name.toLatin1(), engine.rules);
        const binds::KeyUse use = number ? uses.value(*number) : binds::KeyUse {};
        m_keys.at(i)->setUse(number ? named.name : QString(), use, named.noneWhy, known);
        if (known && number && use.kind == binds::KeyUseKind::Free && !free.contains(named.name))
            free << named.name;
    }
    m_freeList->clear();
    m_freeList->addItems(free);
    if (!m_geometry)
        return;
    m_caption->setText(known ? QStringLiteral("As %1 runs your files at its next start. Marks: A game action, C chat, "
                                              "V voice command, X other command; none: free. Click a key (or press "
                                              "Enter on it) to put it in the key box.")
                                   .arg(QString::fromLatin1(engine.name))
                             : QStringLiteral("Keys as %1 names them. Type or pick the game's folder to see what "
                                              "each does at the next start.")
                                   .arg(QString::fromLatin1(engine.name)));
}

void KeyboardWindow::placeKeys()
{
    const double width = m_geometry ? m_geometry->size.width() : 7 * (mouseCapWidth + 2);
    const double height = m_mouseTop + mouseCapHeight + 2;
    const double scale = std::min(m_keyboard->width() / width, m_keyboard->height() / height);
    for (KeyCapButton *button : std::as_const(m_keys)) {
        const QRectF scaled(button->place.topLeft() * scale, button->place.size() * scale);
        button->setGeometry(scaled.toRect());
    }
}

bool KeyboardWindow::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_keyboard && event->type() == QEvent::Resize)
        placeKeys();
    return QWidget::eventFilter(watched, event);
}

void KeyboardWindow::keyPressEvent(QKeyEvent *event)
{
    if (!closedByEscape(this, event))
        QWidget::keyPressEvent(event);
}
