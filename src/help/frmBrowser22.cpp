#include "help/frmBrowser22.h"

#include "art/AppIcon.h"
#include "controls/forms/Twips.h"
#include "help/WebBrowser.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QToolBar>

namespace {
// The preset addresses of the address box, in the order the list shows them.
const QStringList& presetAddresses()
{
    static const QStringList presets{
        QStringLiteral("c:\\Program Files\\Sorvanel\\QuentaHelp.htm"),
        QStringLiteral("https://ja.wikipedia.org/"),
        QStringLiteral("https://sorvan.example.org/"),
        QStringLiteral("https://www.debian.org/"),
    };
    return presets;
}

// The picture of the "ヘルプ表示" button: a page with a question mark.
QIcon helpPageIcon()
{
    QPixmap pixmap(32, 32);
    pixmap.fill(Qt::transparent);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(QColor(40, 40, 120), 1.5));
    p.setBrush(Qt::white);
    p.drawRect(QRectF(5, 2, 19, 27));
    p.setPen(QPen(QColor(140, 140, 210), 1.5));
    for (int y : {8, 13, 18})
        p.drawLine(QPointF(9, y), QPointF(20, y));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 192));
    p.drawEllipse(QRectF(14, 14, 17, 17));
    QFont font;
    font.setBold(true);
    font.setPixelSize(14);
    p.setFont(font);
    p.setPen(Qt::white);
    p.drawText(QRectF(14, 14, 17, 17), Qt::AlignCenter, QStringLiteral("?"));
    return QIcon(pixmap);
}

QFont gothic(double points)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(points);
    return font;
}

constexpr double kClientWidth = 11010;
constexpr double kClientHeight = 7560;
constexpr double kMargin = 100;
} // namespace

frmBrowser22::frmBrowser22(const WebViewMaker& makeView, QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Internet Browser"));
    setWindowIcon(art::appIcon());
    setObjectName(QStringLiteral("frmBrowser22"));
    resize(twips::toPixels(kClientWidth), twips::toPixels(kClientHeight));

    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(twips::rect(0, 0, kClientWidth, 615));
    Toolbar1->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    Toolbar1->setIconSize(QSize(20, 20));
    Toolbar1->setFont(gothic(9));
    auto button = [this](const QIcon& icon, const QString& text, const QString& key) {
        QAction* action = Toolbar1->addAction(icon, text);
        action->setData(key);
        action->setObjectName(key);
        action->setToolTip(text);
    };
    button(helpPageIcon(), QStringLiteral("ヘルプ表示"), QStringLiteral("Print"));
    Toolbar1->addSeparator();
    Toolbar1->addSeparator();
    button(style()->standardIcon(QStyle::SP_ArrowBack), QStringLiteral("戻る"), QStringLiteral("Exit"));
    // A click on the toolbar's empty area is the toolbar's, not the window's.
    Toolbar1->setAttribute(Qt::WA_NoMousePropagation);
    connect(Toolbar1, &QToolBar::actionTriggered, this,
            [this](QAction* action) { Toolbar1_ButtonClick(action->data().toString()); });

    Label3 = new QLabel(QStringLiteral("URL"), this);
    Label3->setObjectName(QStringLiteral("Label3"));
    Label3->setFont(gothic(9));
    Label3->adjustSize();
    Label3->move(twips::toPixels(240), twips::toPixels(720));
    // A click on the caption is the caption's, not the window's.
    Label3->setAttribute(Qt::WA_NoMousePropagation);

    Combo1 = new QComboBox(this);
    Combo1->setObjectName(QStringLiteral("Combo1"));
    Combo1->setFont(gothic(9));
    Combo1->setEditable(true);
    // Enter loads the address; it never adds the text to the list.
    Combo1->setInsertPolicy(QComboBox::NoInsert);
    // Enter loads exactly the text in the box: no inline completion from the
    // presets, which stay in the drop-down list.
    Combo1->setCompleter(nullptr);
    Combo1->addItems(presetAddresses());
    Combo1->setCurrentIndex(-1);
    Combo1->setGeometry(twips::toPixels(840), twips::toPixels(600), twips::toPixels(5415),
                        Combo1->sizeHint().height());
    // Enter in the box: the line edit reports it however the key reached it.
    connect(Combo1->lineEdit(), &QLineEdit::returnPressed, this, [this] { Combo1_KeyPress(13); });
    connect(Combo1, &QComboBox::activated, this, &frmBrowser22::Combo1_Click);

    WB = new WebBrowser(makeView, this);
    WB->setObjectName(QStringLiteral("WB"));
    WB->setGeometry(twips::rect(120, 960, 10695, 6375));

    Form_Load();
}

frmBrowser22::~frmBrowser22() = default;

void frmBrowser22::Form_Load() {}

void frmBrowser22::Combo1_Click() {}

void frmBrowser22::NavigateToAddress()
{
    WB->Navigate(addressText());
}

QString frmBrowser22::addressText() const
{
    return Combo1->currentText();
}

void frmBrowser22::setAddressText(const QString& text)
{
    Combo1->setEditText(text);
}

QAction* frmBrowser22::toolbarButton(const QString& key) const
{
    for (QAction* action : Toolbar1->actions())
        if (action->data().toString() == key)
            return action;
    return nullptr;
}

void frmBrowser22::Combo1_KeyPress(qint16 KeyAscii)
{
    if (KeyAscii == 13)
        NavigateToAddress();
}

void frmBrowser22::Form_Click()
{
    NavigateToAddress();
}

void frmBrowser22::Toolbar1_ButtonClick(const QString& key)
{
    // A failing step is passed over; the button does nothing more.
    try {
        if (key == QLatin1String("Print"))
            NavigateToAddress();
        else if (key == QLatin1String("Exit"))
            close();
    } catch (...) {
    }
}

void frmBrowser22::Form_Resize()
{
    const float scaleWidth = static_cast<float>(twips::fromPixels(width()));
    const float scaleHeight = static_cast<float>(twips::fromPixels(height()));
    const float comboTop = static_cast<float>(twips::fromPixels(Combo1->y()));
    const float comboLeft = static_cast<float>(twips::fromPixels(Combo1->x()));
    const float comboHeight = static_cast<float>(twips::fromPixels(Combo1->height()));

    const float wbWidth = scaleWidth - static_cast<float>(kMargin);
    const float wbHeight = scaleHeight - (comboHeight + comboTop) - static_cast<float>(kMargin);
    const float comboWidth = scaleWidth - comboLeft - static_cast<float>(kMargin);
    // Smaller than the margins (minimised, or dragged very small): the
    // controls keep the sizes they had.
    if (wbWidth < 0 || wbHeight < 0 || comboWidth < 0)
        return;

    WB->resize(twips::toPixels(wbWidth), twips::toPixels(wbHeight));
    Combo1->resize(twips::toPixels(comboWidth), Combo1->height());
}

void frmBrowser22::mouseReleaseEvent(QMouseEvent* event)
{
    // Only clicks on the bare background reach the window itself.
    QWidget::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        Form_Click();
}

void frmBrowser22::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The toolbar is docked along the top and always spans the window.
    Toolbar1->resize(width(), Toolbar1->height());
    Form_Resize();
}

void frmBrowser22::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    Form_Resize();
}
