#include "core/ui/form_model_information.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <algorithm>

#include "core/global_state.h"
#include "core/radio_image.h"
#include "platform/platform.h"

namespace {

constexpr int kModelVhf = 0;
constexpr int kModelUhf = 1;
// The entry shown when the image's band code is not one of the model's bands.
constexpr int kUnknownVhfPosition = 0;
constexpr int kUnknownUhfPosition = 5;

}  // namespace

FormModelInformation::FormModelInformation(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("FormModelInformation"));
    auto named = [this](auto* widget, const char* name) {
        widget->setObjectName(QLatin1String(name));
        return widget;
    };
    LabelModel = named(new QLabel(this), "LabelModel");
    ComboModel = named(new QComboBox(this), "ComboModel");
    LabelArea = named(new QLabel(this), "LabelArea");
    ComboArea = named(new QComboBox(this), "ComboArea");
    CommandOK = named(new QPushButton(this), "CommandOK");
    CommandCancel = named(new QPushButton(this), "CommandCancel");
    CommandOK->setDefault(true);
    LabelModel->setBuddy(ComboModel);
    LabelArea->setBuddy(ComboArea);
    ComboModel->setMinimumWidth(140);
    ComboArea->setMinimumWidth(140);

    auto* grid = new QGridLayout(this);
    grid->addWidget(LabelModel, 0, 0);
    grid->addWidget(ComboModel, 0, 1);
    grid->addWidget(LabelArea, 1, 0);
    grid->addWidget(ComboArea, 1, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(CommandOK);
    buttons->addWidget(CommandCancel);
    grid->addLayout(buttons, 2, 0, 1, 2);
    grid->setSizeConstraint(QLayout::SetFixedSize);

    setLanguageTexts();

    loading_ = true;
    ComboModel->addItems({QStringLiteral("VHF"), QStringLiteral("UHF")});
    const ImageBytes& image = globalState().RadioImage;
    const bool vhf = image[image::kModelByte] == image::kModelVhf;
    ComboModel->setCurrentIndex(vhf ? kModelVhf : kModelUhf);
    fillBands(vhf);
    const auto band = findBand(vhf, image[image::kBandCode]);
    ComboArea->setCurrentIndex(band  ? band->position
                               : vhf ? kUnknownVhfPosition
                                     : kUnknownUhfPosition);
    shownModel_ = ComboModel->currentIndex();
    loading_ = false;

    connect(ComboModel, &QComboBox::currentIndexChanged, this,
            &FormModelInformation::ComboModel_Click);
    connect(CommandOK, &QPushButton::clicked, this, &FormModelInformation::CommandOK_Click);
    connect(CommandCancel, &QPushButton::clicked, this, &QDialog::reject);
}

void FormModelInformation::setLanguageTexts() {
    setWindowTitle(pick("Model Information", "机型信息"));
    LabelModel->setText(pick("Model Type", "机型类型"));
    LabelArea->setText(pick("Frequency", "频率"));
    CommandOK->setText(pick("&Open", "确定(&O)"));
    CommandCancel->setText(pick("&Close", "取消(&C)"));
}

void FormModelInformation::fillBands(bool vhf) {
    ComboArea->clear();
    ComboArea->addItems(bandTexts(vhf));
}

// Another model shows its own bands, the first one selected.
void FormModelInformation::ComboModel_Click(int position) {
    if (loading_ || position < 0) return;
    if (position != shownModel_) {
        fillBands(position == kModelVhf);
        ComboArea->setCurrentIndex(0);
    }
    shownModel_ = position;
}

void FormModelInformation::CommandOK_Click() {
    GlobalState& state = globalState();
    const bool vhf = ComboModel->currentIndex() == kModelVhf;
    const auto band = bandAtPosition(vhf, ComboArea->currentIndex());
    if (!band) {
        reject();
        return;
    }
    const auto expected = modelRecord(vhf, band->code);
    if (std::equal(expected.begin(), expected.end(),
                   state.RadioImage.begin() + image::kModelRecord)) {
        accept();
        return;
    }
    const BoxAnswer answer = platform::messages().show(
        QString::fromLatin1(kAppTitle), pick("Frequency data will be cleared", "频率数据将被清除"),
        BoxIcon::Error, BoxButtons::OkCancel);
    if (answer != BoxAnswer::Ok) {
        reject();
        return;
    }
    state.BandLowerMHz = band->lowerMHz;
    state.BandUpperMHz = band->upperMHz;
    state.WorkingUpperMHz = band->upperMHz;
    state.InitFileName = QStringLiteral("/Init.dat");
    state.ModelChanged = true;
    state.BandName = ComboModel->currentText();
    accept();
}
