#include "help/frmVersion.h"

#include "art/AppIcon.h"
#include "controls/forms/Twips.h"

#include <QGroupBox>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

namespace {
QFont gothic(double points, bool bold, bool italic)
{
    QFont font(QStringLiteral("ＭＳ Ｐゴシック"));
    font.setPointSizeF(points);
    font.setBold(bold);
    font.setItalic(italic);
    return font;
}

template <typename W>
W* place(W* widget, double left, double top, double width, double height)
{
    widget->setGeometry(twips::rect(left, top, width, height));
    return widget;
}
} // namespace

frmVersion::frmVersion(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("frmVersion"));
    setWindowTitle(QStringLiteral("Version情報"));
    setWindowIcon(art::appIcon());
    setFixedSize(twips::toPixels(4680), twips::toPixels(3195));

    Frame = place(new QGroupBox(QStringLiteral("Version情報"), this), 0, 120, 4695, 3015);
    Frame->setObjectName(QStringLiteral("frmVersion"));
    Frame->setFont(gothic(11.25, false, false));

    Command1 = place(new QPushButton(QStringLiteral("Sorvanel"), Frame), 720, 600, 3375, 735);
    Command1->setObjectName(QStringLiteral("Command1"));
    Command1->setFont(gothic(15.75, true, false));
    connect(Command1, &QPushButton::clicked, this, &frmVersion::Command1_Click);

    // The version button has no action of its own.
    Command2 = place(new QPushButton(versionText(), Frame), 2760, 1440, 1335, 375);
    Command2->setObjectName(QStringLiteral("Command2"));
    Command2->setFont(gothic(9.75, true, false));

    Image1 = place(new QLabel(Frame), 1800, 1560, 480, 480);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setPixmap(QPixmap::fromImage(art::appIconImage(32)));

    Label1 = place(new QLabel(QStringLiteral("Sorvan 開発チーム"), Frame), 720, 2280, 3615, 375);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setFont(gothic(14.25, false, true));

    Label2 = place(new QLabel(dateText(), Frame), 2040, 2640, 1935, 255);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setFont(gothic(11.25, false, true));
}

frmVersion::~frmVersion() = default;

void frmVersion::Command1_Click()
{
    close();
}
