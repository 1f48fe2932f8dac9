#include "Operation.h"

#include "Icons.h"
#include "InterfaceFont.h"
#include "Palette.h"
#include "Panel.h"

#include "components/Transition.h"

#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

constexpr int DialogWidth = 334;
constexpr int DialogHeight = 229;
constexpr int DecorationHeight = 30;
constexpr int ButtonSize = 100;
constexpr int PictureSize = 48;

QToolButton* MakeChoice(QWidget* Parent, const char* Name, const QString& Caption, TIcons::TRole Picture)
{
    auto* Button = new QToolButton(Parent);
    Button->setObjectName(QLatin1String(Name));
    Button->setText(Caption);
    Button->setIcon(TIcons::Icon(Picture));
    Button->setIconSize(QSize(PictureSize, PictureSize));
    Button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    Button->setFixedSize(ButtonSize, ButtonSize);
    Button->setAutoRaise(true);
    return Button;
}

} // namespace

TFoOperation::TFoOperation(QWidget* Parent)
    : QDialog(Parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setWindowTitle(tr("项目操作"));
    setFixedSize(DialogWidth, DialogHeight);
    setFont(TInterfaceFont::Font());
    setAutoFillBackground(true);
    QPalette Colours = palette();
    Colours.setColor(QPalette::Window, Palette::Base);
    Colours.setColor(QPalette::WindowText, Palette::LightText);
    Colours.setColor(QPalette::ButtonText, Palette::LightText);
    Colours.setColor(QPalette::Button, Palette::Frame);
    setPalette(Colours);

    QWidget* Selector = MakePanel(this, QStringLiteral("pnSelector"), Palette::Frame);

    auto* Prompt = new QLabel(tr("选择一个项目操作:"), Selector);
    Prompt->setObjectName(QStringLiteral("lbSelector"));
    FNewProject = MakeChoice(Selector, "btNewProject", tr("新建项目"), TIcons::TRole::NewProject);
    FOpenProject = MakeChoice(Selector, "btOpenProject", tr("打开项目"), TIcons::TRole::OpenProject);
    connect(FNewProject, &QToolButton::clicked, this, [this] { done(ResultNewProject); });
    connect(FOpenProject, &QToolButton::clicked, this, [this] { done(ResultOpenProject); });

    auto* Choices = new QHBoxLayout;
    Choices->addStretch();
    Choices->addWidget(FNewProject);
    Choices->addSpacing(30);
    Choices->addWidget(FOpenProject);
    Choices->addStretch();
    auto* SelectorLayout = new QVBoxLayout(Selector);
    SelectorLayout->setContentsMargins(15, 15, 15, 15);
    SelectorLayout->addWidget(Prompt);
    SelectorLayout->addStretch();
    SelectorLayout->addLayout(Choices);
    SelectorLayout->addStretch();

    auto* Decoration = new TTransition(this);
    Decoration->setObjectName(QStringLiteral("trDecoration"));
    Decoration->SetVertical(true);
    Decoration->SetBeginColor(Palette::Frame);
    Decoration->SetEndColor(Palette::Base);
    Decoration->setFixedHeight(DecorationHeight);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(Selector, 1);
    Layout->addWidget(Decoration);
}
