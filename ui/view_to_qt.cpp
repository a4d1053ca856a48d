#include "ui/view_to_qt.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include "ui/direct_input_line_edit.h"
#include "ui/fonts.h"
#include "ui/pictures.h"
#include "ui/result_cell.h"

namespace gosei::ui {
namespace {

void setBackground(QWidget& widget, view::Rgb colour) {
    QPalette palette = widget.palette();
    palette.setColor(QPalette::Window, toQColor(colour));
    widget.setPalette(palette);
    widget.setAutoFillBackground(true);
}

}  // namespace

QString fromUtf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QColor toQColor(view::Rgb colour) {
    return QColor(colour.red, colour.green, colour.blue);
}

Qt::Alignment toAlignment(view::Align alignment) {
    switch (alignment) {
        case view::Align::Left:
            return Qt::AlignLeft;
        case view::Align::Centre:
            return Qt::AlignHCenter;
        case view::Align::Right:
            return Qt::AlignRight;
    }
    return Qt::AlignLeft;
}

QRect toPixelRect(const view::TwipsRect& twips) {
    const view::PixelRect pixels = view::pixelsFromTwips(twips);
    return {pixels.left, pixels.top, pixels.width, pixels.height};
}

void setUpWindow(QWidget& window, const view::Window& spec) {
    window.setObjectName(fromUtf8(spec.name));
    window.setWindowTitle(fromUtf8(spec.title));
    window.setFont(japaneseFont(spec.font));
    if (spec.background) setBackground(window, *spec.background);
    window.setFixedSize(view::pixelsFromTwips(spec.widthTwips),
                        view::pixelsFromTwips(spec.heightTwips));
}

QWidget* createControl(const view::Control& spec, QWidget* parent, bool resultCell) {
    QWidget* widget = nullptr;
    const QString text = fromUtf8(spec.text);
    switch (spec.kind) {
        case view::ControlKind::Label: {
            auto* label = resultCell ? new ResultCell(text, parent) : new QLabel(text, parent);
            label->setAlignment(toAlignment(spec.alignment) | Qt::AlignTop);
            label->setTextFormat(Qt::PlainText);
            widget = label;
            break;
        }
        case view::ControlKind::Button: {
            auto* button = new QPushButton(text, parent);
            button->setAutoDefault(false);
            button->setDefault(false);
            widget = button;
            break;
        }
        case view::ControlKind::TextBox:
            widget = new DirectInputLineEdit(parent);
            break;
        case view::ControlKind::ListBox:
            widget = new QListWidget(parent);
            break;
        case view::ControlKind::TitlePicture:
            widget = new PictureBox(Picture::Title, parent);
            break;
        case view::ControlKind::InputHintPicture:
            widget = new PictureBox(Picture::InputHint, parent);
            break;
    }
    widget->setObjectName(fromUtf8(spec.name));
    widget->setGeometry(toPixelRect(spec.twips));
    if (spec.font) widget->setFont(japaneseFont(*spec.font));
    if (spec.background) setBackground(*widget, *spec.background);
    return widget;
}

void setTabOrderAndFocus(const QWidget& window, std::span<const std::string_view> order) {
    for (std::size_t i = 1; i < order.size(); ++i)
        QWidget::setTabOrder(childNamed(window, order[i - 1]), childNamed(window, order[i]));
    childNamed(window, order.front())->setFocus();
}

}  // namespace gosei::ui
