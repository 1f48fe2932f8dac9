#include "Preview.h"

#include "ErrorHandler.h"
#include "Icons.h"
#include "InterfaceFont.h"
#include "Palette.h"
#include "Panel.h"
#include "PlainSplitter.h"
#include "PreviewImage.h"

#include "model/SubtitleItem.h"
#include "titles/FontSubstitution.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QTextDocument>
#include <QToolButton>
#include <QVBoxLayout>

#include <algorithm>

namespace
{
constexpr int ColorBarHeight = 25;
constexpr int SplitterWidth = 3;
constexpr int TestInputHeight = 75;
constexpr int NavigationWidth = 30;
// The font notice starts a little right of rbBkgYellow (118 + 60) and keeps the bar's
// margin on the right.
constexpr int FontNoticeLeft = 186;
constexpr int FontNoticeRightMargin = 7;

QRadioButton* MakeBackgroundButton(QWidget* Parent, const char* Name, const QString& Caption, int Left)
{
    auto* Button = new QRadioButton(Caption, Parent);
    Button->setObjectName(QLatin1String(Name));
    Button->setGeometry(Left, 4, 60, 17);
    return Button;
}

QToolButton* MakeNavigationButton(QWidget* Parent, const char* Name, const QString& Hint, TIcons::TRole Role)
{
    auto* Button = new QToolButton(Parent);
    Button->setObjectName(QLatin1String(Name));
    Button->setFixedSize(25, 30);
    Button->setToolTip(Hint);
    Button->setIcon(TIcons::Icon(Role));
    // The memo keeps the focus, so stepping with the mouse leaves the caret in place.
    Button->setFocusPolicy(Qt::NoFocus);
    return Button;
}
} // namespace

TFrPreview::TFrPreview(QWidget* Parent)
    : QWidget(Parent)
{
    setObjectName(QStringLiteral("frPreview"));
    setFont(TInterfaceFont::Font(11));

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);

    FPnColor = MakePanel(this, QStringLiteral("pnColor"), Palette::PreviewBar);
    FPnColor->setFixedHeight(ColorBarHeight);
    FRbBkgWhite = MakeBackgroundButton(FPnColor, "rbBkgWhite", tr("白色"), 7);
    FRbBkgBlack = MakeBackgroundButton(FPnColor, "rbBkgBlack", tr("黑色"), 63);
    FRbBkgYellow = MakeBackgroundButton(FPnColor, "rbBkgYellow", tr("黄色"), 118);
    FRbBkgBlack->setChecked(true);
    FLbFontNotice = new QLabel(FPnColor);
    FLbFontNotice->setObjectName(QStringLiteral("lbFontNotice"));
    QPalette NoticeColors = FLbFontNotice->palette();
    NoticeColors.setColor(QPalette::WindowText, Palette::InspectorText);
    FLbFontNotice->setPalette(NoticeColors);
    FLbFontNotice->hide();
    FPnColor->installEventFilter(this);
    Layout->addWidget(FPnColor);

    FSpPreview = new TPlainSplitter(Qt::Vertical, Palette::PreviewSplitter, this);
    FSpPreview->setObjectName(QStringLiteral("spPreview"));
    FSpPreview->setHandleWidth(SplitterWidth);
    FSpPreview->setChildrenCollapsible(false);
    Layout->addWidget(FSpPreview, 1);

    QWidget* PnPreview = MakePanel(FSpPreview, QStringLiteral("pnPreview"), Palette::PreviewArea);
    auto* PreviewLayout = new QVBoxLayout(PnPreview);
    PreviewLayout->setContentsMargins(5, 5, 5, 5);
    PreviewLayout->setSpacing(0);
    FImPreview = new TPreviewImage(PnPreview);
    FImPreview->setObjectName(QStringLiteral("imPreview"));
    PreviewLayout->addWidget(FImPreview);

    QWidget* PnTestInput = MakePanel(FSpPreview, QStringLiteral("pnTestInput"), Palette::PreviewArea);
    auto* TestLayout = new QHBoxLayout(PnTestInput);
    TestLayout->setContentsMargins(5, 0, 5, 5);
    TestLayout->setSpacing(0);

    FPnNavigation = MakePanel(PnTestInput, QStringLiteral("pnNavigation"), Palette::PreviewArea);
    FPnNavigation->setFixedWidth(NavigationWidth);
    auto* NavigationLayout = new QVBoxLayout(FPnNavigation);
    NavigationLayout->setContentsMargins(0, 5, 5, 5);
    NavigationLayout->setSpacing(0);
    FBtUp = MakeNavigationButton(FPnNavigation, "btUp", tr("Előző (CTRL+Up)"), TIcons::TRole::PreviousTitle);
    FBtDown = MakeNavigationButton(FPnNavigation, "btDown", tr("Következő (CTRL+Down)"), TIcons::TRole::NextTitle);
    NavigationLayout->addWidget(FBtUp);
    NavigationLayout->addStretch(1);
    NavigationLayout->addWidget(FBtDown);
    TestLayout->addWidget(FPnNavigation);

    FMeTest = new QPlainTextEdit(PnTestInput);
    FMeTest->setObjectName(QStringLiteral("meTest"));
    FMeTest->setFrameShape(QFrame::NoFrame);
    QFont MemoFont = TInterfaceFont::Font(11);
    MemoFont.setBold(true);
    FMeTest->setFont(MemoFont);
    QPalette MemoColors = FMeTest->palette();
    MemoColors.setColor(QPalette::Base, Palette::PreviewMemo);
    MemoColors.setColor(QPalette::Text, Palette::InspectorText);
    FMeTest->setPalette(MemoColors);
    FMeTest->installEventFilter(this);
    TestLayout->addWidget(FMeTest, 1);

    FSpPreview->addWidget(PnPreview);
    FSpPreview->addWidget(PnTestInput);
    // The test bar keeps its height when the frame grows; the picture takes the rest.
    FSpPreview->setStretchFactor(0, 1);
    FSpPreview->setStretchFactor(1, 0);
    FSpPreview->setSizes({QWIDGETSIZE_MAX, TestInputHeight});

    for (QRadioButton* Button : {FRbBkgWhite, FRbBkgBlack, FRbBkgYellow})
        connect(Button, &QRadioButton::clicked, this, &TFrPreview::BackgroundClicked);
    connect(FMeTest, &QPlainTextEdit::textChanged, this, &TFrPreview::TestTextChanged);
    connect(FBtUp, &QToolButton::clicked, this, &TFrPreview::UpClicked);
    connect(FBtDown, &QToolButton::clicked, this, &TFrPreview::DownClicked);
}

QString TFrPreview::TestText() const
{
    // Raw text keeps no-break spaces, which hold words together when wrapping; the
    // separators between paragraphs and of Shift+Enter become the subtitles' CR LF.
    QString Text = FMeTest->document()->toRawText();
    Text.replace(QChar::ParagraphSeparator, QStringLiteral("\r\n"));
    Text.replace(QChar::LineSeparator, QStringLiteral("\r\n"));
    return Text;
}

void TFrPreview::SetTestText(const QString& Text)
{
    const QSignalBlocker Blocker(this);
    FMeTest->setPlainText(Text);
}

TPreviewBackground TFrPreview::Background() const
{
    if (FRbBkgWhite->isChecked())
        return TPreviewBackground::White;
    if (FRbBkgBlack->isChecked())
        return TPreviewBackground::Black;
    return TPreviewBackground::Yellow;
}

void TFrPreview::SetNavigationVisible(bool Visible)
{
    FPnNavigation->setVisible(Visible);
}

void TFrPreview::SetTestWordWrap(bool Wrap)
{
    FMeTest->setLineWrapMode(Wrap ? QPlainTextEdit::WidgetWidth : QPlainTextEdit::NoWrap);
}

void TFrPreview::DrawPreview(const TSubtitleItem* Item)
{
    ShowFontNotice(Item);
    // The old picture goes first, so a large frame is never held twice.
    FImPreview->SetPicture(QImage());
    if (Item == nullptr)
        return;
    const QImage Picture = FRenderer.Render(*Item, TestText(), Background());
    if (!Picture.isNull()) {
        FImPreview->SetPicture(Picture);
        return;
    }
    const QString Width = QString::number(Item->VideoWidth());
    const QString Height = QString::number(Item->VideoHeight());
    const QString Notice = TPreviewRenderer::FrameSizeAllowed(Item->VideoWidth(), Item->VideoHeight())
        ? tr("视频尺寸 %1 × %2 的预览所需内存不足，无法显示。").arg(Width, Height)
        : tr("视频尺寸 %1 × %2 无法预览：每边须为 1 至 %3 像素，总计不超过 %4 万像素。")
              .arg(Width, Height, QString::number(TPreviewRenderer::MaxFrameSide),
                   QString::number(TPreviewRenderer::MaxFramePixels / 10000));
    FImPreview->SetPicture(QImage(), Notice);
}

void TFrPreview::ShowFontNotice(const TSubtitleItem* Item)
{
    const QString Substitute = Item ? TFontSubstitution::SubstituteFor(Item->FontName()) : QString();
    const QString Notice =
        Substitute.isEmpty() ? QString() : tr("找不到字体“%1”，按“%2”测量换行").arg(Item->FontName(), Substitute);
    if (Notice == FFontNotice)
        return;
    FFontNotice = Notice;
    FLbFontNotice->setToolTip(Notice);
    FLbFontNotice->setVisible(!Notice.isEmpty());
    PlaceFontNotice();
}

void TFrPreview::PlaceFontNotice()
{
    const int Width = std::max(0, FPnColor->width() - FontNoticeLeft - FontNoticeRightMargin);
    FLbFontNotice->setGeometry(FontNoticeLeft, 0, Width, ColorBarHeight);
    FLbFontNotice->setText(FLbFontNotice->fontMetrics().elidedText(FFontNotice, Qt::ElideRight, Width));
}

bool TFrPreview::eventFilter(QObject* Watched, QEvent* Event)
{
    if (Watched == FMeTest && Event->type() == QEvent::KeyPress)
        meTestKeyDown(static_cast<const QKeyEvent&>(*Event));
    else if (Watched == FPnColor && Event->type() == QEvent::Resize)
        PlaceFontNotice();
    return QWidget::eventFilter(Watched, Event);
}

void TFrPreview::meTestKeyDown(const QKeyEvent& Event)
{
    if ((Event.modifiers() & ~Qt::KeypadModifier) != Qt::ControlModifier)
        return;
    if (Event.key() != Qt::Key_Down && Event.key() != Qt::Key_Up)
        return;
    const bool Down = Event.key() == Qt::Key_Down;
    // The page's step handler runs inside a key event, where an exception must stop.
    TErrorHandler::Run(this, [this, Down] { (Down ? FBtDown : FBtUp)->click(); });
    // The key belongs to the memo as well. Qt's text edit leaves Ctrl+Up and Ctrl+Down
    // alone, so the caret is moved here, as a plain arrow key would move it.
    FMeTest->moveCursor(Down ? QTextCursor::Down : QTextCursor::Up);
}
