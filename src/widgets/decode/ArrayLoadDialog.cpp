#include "widgets/decode/ArrayLoadDialog.h"

#include "logic/canvas/LcdSizes.h"
#include "logic/export/ArrayListing.h"
#include "widgets/decode/LcdPictureView.h"
#include "widgets/ui/ControlFactory.h"
#include "widgets/ui/ControlNames.h"
#include "widgets/ui/LayoutBoxes.h"

#include <QApplication>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {
// Room for the picture: a 128x64 LCD at 4:1; larger pictures are shrunk.
const QSize PreviewRoom(512, 256);
constexpr int MostZoom = 8;
constexpr int ListRows = 5;

std::function<bool(ArrayLoadDialog &)> &answerer()
{
    static std::function<bool(ArrayLoadDialog &)> instance;
    return instance;
}

// Guessing a large array takes a noticeable moment.
struct BusyCursor
{
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
};
} // namespace

ArrayLoadDialog::ArrayLoadDialog(const ArrayFileReader::Result &arrays, const QString &fileName, QWidget *parent)
    : QDialog(parent), m_arrays(arrays)
{
    setObjectName(QString(ControlNames::arrayLoadDialog));
    setWindowTitle(tr("Load Array"));
    buildControls(fileName);
    m_list->setCurrentItem(m_list->topLevelItem(ArrayListing::likeliestPicture(m_arrays)));
    arrayChosen();
}

void ArrayLoadDialog::setAnswerer(std::function<bool(ArrayLoadDialog &)> newAnswerer)
{
    answerer() = std::move(newAnswerer);
}

std::optional<ArrayLoadDialog::Choice> ArrayLoadDialog::ask(QWidget *parent, const ArrayFileReader::Result &arrays,
                                                            const QString &fileName)
{
    ArrayLoadDialog dialog(arrays, fileName, parent);
    const bool accepted = answerer() ? answerer()(dialog) : dialog.exec() == QDialog::Accepted;
    const Choice choice = dialog.choice();
    if (!accepted || choice.picture.isNull())
        return std::nullopt;
    return choice;
}

void ArrayLoadDialog::buildControls(const QString &fileName)
{
    auto *layout = new QVBoxLayout(this);
    buildList();
    const QString shownName = QString(fileName).replace(QLatin1Char('&'), QLatin1String("&&"));
    layout->addWidget(Controls::label(this, ControlNames::arrayListLabel, tr("&Arrays in %1").arg(shownName), m_list));
    layout->addWidget(m_list);
    layout->addLayout(buildSettings());
    m_status = Controls::valueLabel(this, ControlNames::arrayStatusLabel, QString(), tr("What the boxes draw"));
    m_status->setWordWrap(true);
    layout->addWidget(m_status);
    layout->addWidget(buildPreview(), 1);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    connect(m_list, &QTreeWidget::currentItemChanged, this, &ArrayLoadDialog::arrayChosen);
}

// Name, line and byte count of each array, a few rows high.
void ArrayLoadDialog::buildList()
{
    m_list = new QTreeWidget(this);
    m_list->setObjectName(QString(ControlNames::arrayList));
    m_list->setHeaderLabels({tr("Array"), tr("Line"), tr("Bytes")});
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->header()->setStretchLastSection(false);
    m_list->header()->setSectionResizeMode(0, QHeaderView::Stretch);
    for (const int column : {1, 2})
        m_list->header()->setSectionResizeMode(column, QHeaderView::ResizeToContents);
    for (const ArrayText::Array &array : m_arrays.arrays) {
        auto *item = new QTreeWidgetItem(m_list, {ArrayListing::nameOf(array), QString::number(array.line),
                                                  QString::number(array.bytes.size())});
        item->setTextAlignment(1, Qt::AlignRight);
        item->setTextAlignment(2, Qt::AlignRight);
    }
    m_list->setFixedHeight(m_list->header()->sizeHint().height()
                           + m_list->fontMetrics().height() * qBound(2, int(m_arrays.arrays.size()), ListRows) + 12);
}

QWidget *ArrayLoadDialog::buildPreview()
{
    m_preview = new LcdPictureView;
    m_preview->setObjectName(QString(ControlNames::arrayPreview));
    m_preview->setAccessibleName(tr("Picture"));
    m_preview->setAccessibleDescription(tr("The picture the chosen size and layout draw"));
    m_preview->setGridColour(QColor(210, 210, 210));
    auto *scroll = new QScrollArea(this);
    scroll->setWidget(m_preview);
    scroll->setAlignment(Qt::AlignCenter);
    scroll->setMinimumSize(PreviewRoom + QSize(4, 4));
    scroll->setFocusPolicy(Qt::NoFocus);
    // A white picture's edge shows against a darker ground.
    scroll->setBackgroundRole(QPalette::Mid);
    return scroll;
}

QLayout *ArrayLoadDialog::buildSettings()
{
    auto *grid = new QGridLayout;
    const auto side = [this](const char *name) {
        auto *box = new QSpinBox(this);
        box->setObjectName(QLatin1String(name));
        box->setRange(LcdSizes::SmallestSide, LcdSizes::LargestSide);
        connect(box, &QSpinBox::valueChanged, this, &ArrayLoadDialog::redraw);
        return box;
    };
    m_width = side(ControlNames::arrayWidthBox);
    m_height = side(ControlNames::arrayHeightBox);
    const auto combo = [this](const char *name) {
        auto *box = new QComboBox(this);
        box->setObjectName(QLatin1String(name));
        return box;
    };
    m_packing = combo(ControlNames::arrayPackingBox);
    for (const bool horizontal : {false, true})
        m_packing->addItem(MatrixLayout::packingCaption(horizontal), horizontal);
    m_profile = combo(ControlNames::arrayProfileBox);
    m_order = combo(ControlNames::arrayOrderBox);
    m_layout = new LayoutBoxes(m_profile, m_order, false);
    using namespace ControlNames;
    grid->addWidget(Controls::label(this, arrayWidthLabel, tr("&Width"), m_width), 0, 0);
    grid->addWidget(m_width, 0, 1);
    grid->addWidget(Controls::label(this, arrayHeightLabel, tr("&Height"), m_height), 0, 2);
    grid->addWidget(m_height, 0, 3);
    grid->addWidget(Controls::label(this, arrayPackingLabel, tr("Pac&king"), m_packing), 1, 0);
    grid->addWidget(m_packing, 1, 1, 1, 3);
    grid->addWidget(Controls::label(this, arrayProfileLabel, tr("&Profile"), m_profile), 2, 0);
    grid->addWidget(m_profile, 2, 1, 1, 3);
    grid->addWidget(Controls::label(this, arrayOrderLabel, tr("Or&der"), m_order), 3, 0);
    grid->addWidget(m_order, 3, 1, 1, 3);
    grid->setColumnStretch(4, 1);
    connect(m_packing, &QComboBox::currentIndexChanged, this, &ArrayLoadDialog::packingChosen);
    connect(m_layout, &LayoutBoxes::changed, this, &ArrayLoadDialog::redraw);
    return grid;
}

int ArrayLoadDialog::currentArray() const
{
    return qMax(0, m_list->indexOfTopLevelItem(m_list->currentItem()));
}

// A new array: its likeliest size and layout fill the boxes.
void ArrayLoadDialog::arrayChosen()
{
    {
        const BusyCursor busy;
        m_guess = ArrayListing::likeliestLayout(m_arrays, currentArray());
    }
    if (m_guess) {
        const QSignalBlocker blockers[] = {QSignalBlocker(m_width), QSignalBlocker(m_height),
                                           QSignalBlocker(m_packing), QSignalBlocker(m_layout)};
        m_width->setValue(m_guess->width);
        m_height->setValue(m_guess->height);
        m_packing->setCurrentIndex(m_guess->layout.horizontal ? 1 : 0);
        m_layout->showLayout(m_guess->layout);
    }
    redraw();
}

void ArrayLoadDialog::packingChosen()
{
    m_layout->setPacking(m_packing->currentData().toBool());
}

ArrayLoadDialog::Choice ArrayLoadDialog::choice() const
{
    return {m_arrays.arrays.at(currentArray()).name, m_picture, m_layout->layout()};
}

void ArrayLoadDialog::redraw()
{
    const ArrayListing::Drawing drawn =
        ArrayListing::draw(m_arrays.arrays.at(currentArray()), m_width->value(), m_height->value(), m_layout->layout());
    m_picture = drawn.picture;
    m_ok->setEnabled(!m_picture.isNull());
    m_status->setText(statusText(drawn.problem));
    m_preview->setImage(m_picture.isNull() ? QImage() : m_picture);
    if (m_picture.isNull())
        return;
    // Whole dots where they fit, so every pixel shows as a square; a large picture is shrunk.
    const double scale = qMin(double(PreviewRoom.width()) / m_picture.width(),
                              double(PreviewRoom.height()) / m_picture.height());
    m_preview->setScale(scale >= 1 ? qMin<double>(MostZoom, int(scale)) : scale);
}

QString ArrayLoadDialog::statusText(const QString &problem) const
{
    const ArrayText::Array &array = m_arrays.arrays.at(currentArray());
    if (!problem.isEmpty())
        return m_guess ? tr("The bytes do not fit: %1").arg(problem)
                       : tr("No usual size fits %1 bytes; choose one (%2)").arg(array.bytes.size()).arg(problem);
    const bool guessed = m_guess && m_guess->width == m_width->value() && m_guess->height == m_height->value()
        && m_guess->layout == m_layout->layout();
    if (!guessed)
        return tr("%1 bytes at %2x%3, as chosen").arg(array.bytes.size()).arg(m_width->value()).arg(m_height->value());
    for (const SizeHints::Hint &hint : array.hints)
        if (hint.width == m_guess->width && hint.height == m_guess->height && hint.skip == m_guess->skip)
            return tr("The likeliest picture: %1x%2, the size the file states (%3)")
                .arg(m_guess->width).arg(m_guess->height).arg(hint.origin);
    return tr("The likeliest picture: %1x%2, with the fewest changes between neighbouring pixels")
        .arg(m_guess->width).arg(m_guess->height);
}
