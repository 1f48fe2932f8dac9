#include "ObjectInspector.h"

#include "Abort.h"
#include "ErrorHandler.h"
#include "FileDialogFilter.h"
#include "InterfaceFont.h"
#include "MessageBox.h"
#include "Palette.h"
#include "PropValue.h"
#include "PropertyGrid.h"

#include "containers/StringHash.h"
#include "model/AttributedObservableObject.h"
#include "model/ObservableObject.h"
#include "model/RTTI.h"
#include "model/Validation.h"
#include "model/ValidationError.h"

#include <QCollator>
#include <QColorDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDatabase>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSplitter>
#include <QTextDocument>
#include <QTextLayout>
#include <QtMath>
#include <QVBoxLayout>

#include <algorithm>
#include <memory>

namespace {

constexpr int CaptionHeight = 20;
constexpr int SplitterWidth = 3;
constexpr int DefaultDescriptionHeight = 75;
// The row table's starting capacity: a settings class publishes a little over twenty.
constexpr qint32 RowTableCapacity = 20;

const QLatin1String ColorType("TColor");
const QLatin1String FileNameType("TFileName");
const QLatin1String DirectoryNameType("TDirectoryName");
const QLatin1String FontNameType("TFontName");
const QLatin1String FontSizeType("TFontSize");

// A row on its way into the grid: the whole "Name=Value" entry decides the name order.
class TRowEntry
{
public:
    TPropertyRow Row;
    QString Entry;
    qint32 Index = 0;
};

// Every row whose Index names a position from 1 to the row count stands there; the
// other rows fill the free positions in name order. Of two rows claiming one position
// the first in name order keeps it; an Index past the last row is no position at all.
std::vector<TPropertyRow> ApplyIndexOrder(std::vector<TRowEntry>& Sorted)
{
    const std::size_t Count = Sorted.size();
    std::vector<qint64> Claimant(Count, -1);
    std::vector<bool> Placed(Count, false);
    for (std::size_t Source = 0; Source < Count; ++Source) {
        const qint32 Index = Sorted[Source].Index;
        if (Index < 1 || std::size_t(Index) > Count || Claimant[std::size_t(Index - 1)] >= 0)
            continue;
        Claimant[std::size_t(Index - 1)] = qint64(Source);
        Placed[Source] = true;
    }
    std::vector<TPropertyRow> Result;
    Result.reserve(Count);
    std::size_t NextFree = 0;
    for (std::size_t Position = 0; Position < Count; ++Position) {
        std::size_t Source;
        if (Claimant[Position] >= 0) {
            Source = std::size_t(Claimant[Position]);
        } else {
            while (Placed[NextFree])
                ++NextFree;
            Source = NextFree++;
        }
        Result.push_back(std::move(Sorted[Source].Row));
    }
    return Result;
}

// Parses Text the way writing it would, so a value that does not convert is refused
// before any object has been written.
void CheckConvertible(const TObservableObject& Object, const QString& PropertyName, const QString& Text)
{
    const TPropertyInfo* Property = Object.ClassType().FindProperty(PropertyName);
    if (!Property)
        return;
    switch (Property->Kind) {
    case TPropertyKind::Integer:
        TRTTI::ParseInteger(Text);
        break;
    case TPropertyKind::Enumeration:
        TRTTI::ParseEnumeration(*Property, Text);
        break;
    case TPropertyKind::Float:
        TRTTI::ParseLocaleFloat(Text);
        break;
    case TPropertyKind::Text:
    case TPropertyKind::ObjectList:
        break;
    }
}

} // namespace

TFrObjectInspector::TFrObjectInspector(QWidget* Parent)
    : QWidget(Parent)
    , pnInfo(new QWidget(this))
    , lbInfo(new QLabel(pnInfo))
    , spObjectInspector(new QSplitter(Qt::Vertical, this))
    , vlObjectInspector(new TPropertyGrid(spObjectInspector))
    , meDescription(new QPlainTextEdit(spObjectInspector))
    , FDescriptionHeight(DefaultDescriptionHeight)
{
    setFont(TInterfaceFont::Font(11));

    pnInfo->setObjectName(QStringLiteral("pnInfo"));
    pnInfo->setFixedHeight(CaptionHeight);
    pnInfo->setAutoFillBackground(true);
    QPalette InfoColours = pnInfo->palette();
    InfoColours.setColor(QPalette::Window, Palette::InspectorFixed.Color());
    InfoColours.setColor(QPalette::WindowText, Palette::Base.Color());
    pnInfo->setPalette(InfoColours);
    lbInfo->setObjectName(QStringLiteral("lbInfo"));
    lbInfo->setAlignment(Qt::AlignCenter);
    QFont CaptionFont = TInterfaceFont::Font(11);
    CaptionFont.setBold(true);
    lbInfo->setFont(CaptionFont);
    auto* InfoLayout = new QVBoxLayout(pnInfo);
    InfoLayout->setContentsMargins(0, 0, 0, 0);
    InfoLayout->addWidget(lbInfo);

    spObjectInspector->setObjectName(QStringLiteral("spObjectInspector"));
    spObjectInspector->setHandleWidth(SplitterWidth);
    spObjectInspector->setOpaqueResize(true);
    spObjectInspector->setChildrenCollapsible(false);

    vlObjectInspector->setObjectName(QStringLiteral("vlObjectInspector"));
    vlObjectInspector->setMinimumHeight(1);
    vlObjectInspector->SetOnGetPickList([this](const QString& KeyName) {
        TPropertyEditStyle Style;
        TErrorHandler::Run(this, [&] { Style = vlObjectInspectorGetPickList(KeyName); });
        return Style;
    });
    vlObjectInspector->SetOnSelectCell([this](int ACol, int ARow) {
        TErrorHandler::Run(this, [&] { vlObjectInspectorSelectCell(ACol, ARow); });
    });
    vlObjectInspector->SetOnValidate([this](int ACol, int ARow, const QString& KeyName, const QString& KeyValue) {
        GridValidate(ACol, ARow, KeyName, KeyValue);
    });
    vlObjectInspector->SetOnEditButtonClick([this] { GridEditButtonClick(); });

    meDescription->setObjectName(QStringLiteral("meDescription"));
    meDescription->setReadOnly(true);
    meDescription->setMinimumHeight(1);
    // A narrow margin, so the page's 35-pixel memo still shows two lines.
    meDescription->document()->setDocumentMargin(2);
    QPalette MemoColours = meDescription->palette();
    MemoColours.setColor(QPalette::Base, Palette::Cream.Color());
    MemoColours.setColor(QPalette::Text, QColor(Qt::black));
    meDescription->setPalette(MemoColours);

    // The memo keeps its height when the frame grows or shrinks.
    spObjectInspector->setStretchFactor(0, 1);
    spObjectInspector->setStretchFactor(1, 0);

    auto* Layout = new QVBoxLayout(this);
    Layout->setContentsMargins(0, 0, 0, 0);
    Layout->setSpacing(0);
    Layout->addWidget(pnInfo);
    Layout->addWidget(spObjectInspector, 1);
}

TFrObjectInspector::~TFrObjectInspector()
{
    // The grid outlives this object's members while the children are destroyed; an
    // editor losing the focus then must not reach the selection any more.
    vlObjectInspector->SetOnGetPickList({});
    vlObjectInspector->SetOnSelectCell({});
    vlObjectInspector->SetOnValidate({});
    vlObjectInspector->SetOnEditButtonClick({});
}

void TFrObjectInspector::AddObject(TObservableObject* Obj, bool Rebuild)
{
    FSelection.Add(Obj);
    if (Rebuild)
        RefreshProperties();
}

void TFrObjectInspector::ClearObjects(bool Rebuild)
{
    FSelection.Clear();
    if (Rebuild)
        RefreshProperties();
}

TObservableObject* TFrObjectInspector::FirstObject() const
{
    return FSelection.First();
}

void TFrObjectInspector::RefreshProperties()
{
    lbInfo->clear();
    vlObjectInspector->ClearRows();
    const std::vector<TObservableObject*> Objects = FSelection.Objects();
    if (Objects.empty())
        return;

    // The row table holds the values; they are owned here and freed with this scope.
    TStringHash Table(false, RowTableCapacity);
    std::vector<std::unique_ptr<TPropValue>> Values;
    for (const TObservableObject* Object : Objects) {
        for (const TPropertyInfo& Property : Object->ClassType().Properties()) {
            if (Property.IsHidden() || Property.Kind == TPropertyKind::ObjectList)
                continue;
            QString Text = Property.ReadText(*Object);
            if (auto* Value = static_cast<TPropValue*>(Table.Get(Property.Name))) {
                if (Value->Value != Text)
                    Value->Value.clear();
            } else {
                Values.push_back(std::make_unique<TPropValue>(std::move(Text)));
                Table.Put(Property.Name, Values.back().get());
            }
        }
    }

    TObservableObject* First = Objects.front();
    if (Objects.size() == 1)
        lbInfo->setText(First->GetName());
    else
        lbInfo->setText(QString::number(Objects.size()) + tr(" darab objektum"));

    std::vector<TRowEntry> Entries;
    Entries.reserve(std::size_t(Table.Count()));
    if (Table.Count() > 0) {
        const std::unique_ptr<TStringHashIterator> Iterator = Table.Iterator();
        for (;;) {
            TRowEntry Entry;
            Entry.Row.Name = Iterator->KeyString();
            Entry.Row.Value = static_cast<const TPropValue*>(Iterator->Value())->Value;
            Entry.Entry = Entry.Row.Name + QLatin1Char('=') + Entry.Row.Value;
            Entries.push_back(std::move(Entry));
            if (!Iterator->HasNext())
                break;
            Iterator->Next();
        }
    }
    QCollator Collator;
    Collator.setCaseSensitivity(Qt::CaseInsensitive);
    std::stable_sort(Entries.begin(), Entries.end(), [&Collator](const TRowEntry& A, const TRowEntry& B) {
        return Collator.compare(A.Entry, B.Entry) < 0;
    });

    auto* Attributed = dynamic_cast<TAttributedObservableObject*>(First);
    for (TRowEntry& Entry : Entries) {
        if (const TPropertyInfo* Property = First->ClassType().FindProperty(Entry.Row.Name))
            Entry.Row.TypeName = Property->TypeName;
        if (const TPropertyAttribute* Attribute = Attributed ? Attributed->GetPropertyAttribute(Entry.Row.Name) : nullptr) {
            Entry.Index = Attribute->Index;
            Entry.Row.HasAttribute = true;
            Entry.Row.DefaultValue = Attribute->DefaultValue;
        }
    }
    vlObjectInspector->SetRows(ApplyIndexOrder(Entries));
}

void TFrObjectInspector::vlObjectInspectorValidate(int /*ACol*/, int ARow, const QString& KeyName,
                                                   const QString& KeyValue)
{
    if (KeyName.isEmpty())
        return;
    const std::vector<TObservableObject*> Objects = FSelection.Objects();
    try {
        // Every object accepts the value before any is written: a refusal by the last
        // one must not leave the first ones changed behind a restored cell.
        for (const TObservableObject* Object : Objects) {
            if (const auto* Validation = dynamic_cast<const IValidation*>(Object)) {
                const QString Message = Validation->Validate(KeyName, KeyValue);
                if (!Message.isEmpty())
                    throw EValidation(Message);
            }
            CheckConvertible(*Object, KeyName, KeyValue);
        }
        for (TObservableObject* Object : Objects)
            TRTTI::SetPropertyValue(Object, KeyName, KeyValue);
    } catch (...) {
        const QString Message = TErrorHandler::CurrentMessage();
        TMessageBox::Error(this, (tr("这 %1'值是无效的。").arg(KeyName) + QStringLiteral("\n\n") + Message).trimmed());
        vlObjectInspector->RestoreCell(ARow);
        throw EAbort();
    }
    vlObjectInspector->SetCellText(ARow, KeyValue);
}

void TFrObjectInspector::vlObjectInspectorEditButtonClick()
{
    const int ARow = vlObjectInspector->CurrentRow();
    if (ARow < 1 || FSelection.Count() == 0)
        return;
    const QString KeyName = vlObjectInspector->KeyText(ARow);
    const TPropertyInfo* Property = FirstObject()->ClassType().FindProperty(KeyName);
    if (!Property)
        throw EError(tr("无效的属性名称 '%1'").arg(KeyName));

    const QString Current = vlObjectInspector->CurrentText();
    QString Chosen;
    bool Accepted = false;
    if (Property->TypeName == ColorType)
        Accepted = ChooseColor(Current, Chosen);
    else if (Property->TypeName == FileNameType)
        Accepted = ChooseFile(Current, Chosen);
    else if (Property->TypeName == DirectoryNameType)
        Accepted = ChooseDirectory(Current, Chosen);
    if (!Accepted)
        return;
    vlObjectInspector->SetCurrentEditorText(Chosen);
    vlObjectInspectorValidate(1, ARow, KeyName, Chosen);
}

TPropertyEditStyle TFrObjectInspector::vlObjectInspectorGetPickList(const QString& KeyName)
{
    if (FSelection.Count() == 0)
        throw EError(tr("目前还没有选定对象。"));
    TPropertyEditStyle Style;
    const TPropertyInfo* Property = FirstObject()->ClassType().FindProperty(KeyName);
    if (!Property)
        return Style;
    if (Property->Kind == TPropertyKind::Enumeration) {
        Style.Kind = TPropertyEditStyle::TKind::PickList;
        Style.PickList = Property->EnumIdentifiers;
    } else if (Property->TypeName == ColorType || Property->TypeName == FileNameType
               || Property->TypeName == DirectoryNameType) {
        Style.Kind = TPropertyEditStyle::TKind::Ellipsis;
    } else if (Property->TypeName == FontNameType) {
        Style.Kind = TPropertyEditStyle::TKind::PickList;
        Style.PickList = QFontDatabase::families();
    } else if (Property->TypeName == FontSizeType) {
        Style.Kind = TPropertyEditStyle::TKind::PickList;
        Style.PickList = QStringList{QStringLiteral("8"),  QStringLiteral("9"),  QStringLiteral("10"), QStringLiteral("11"),
                                     QStringLiteral("12"), QStringLiteral("14"), QStringLiteral("16"), QStringLiteral("18"),
                                     QStringLiteral("20"), QStringLiteral("22"), QStringLiteral("24"), QStringLiteral("26"),
                                     QStringLiteral("28"), QStringLiteral("36"), QStringLiteral("48"), QStringLiteral("72")};
    }
    return Style;
}

void TFrObjectInspector::vlObjectInspectorSelectCell(int /*ACol*/, int ARow)
{
    meDescription->clear();
    auto* First = dynamic_cast<TAttributedObservableObject*>(FirstObject());
    if (!First)
        return;
    if (const TPropertyAttribute* Attribute = First->GetPropertyAttribute(vlObjectInspector->KeyText(ARow)))
        meDescription->setPlainText(Attribute->Description + QStringLiteral(" [")
                                    + tr("默认值: %1").arg(Attribute->DefaultValue) + QLatin1Char(']'));
}

void TFrObjectInspector::SetOnValidate(
    std::function<void(int ACol, int ARow, const QString& KeyName, const QString& KeyValue)> Handler)
{
    FOnValidate = std::move(Handler);
}

void TFrObjectInspector::SetOnEditButtonClick(std::function<void()> Handler)
{
    FOnEditButtonClick = std::move(Handler);
}

void TFrObjectInspector::SetDescriptionHeight(int Pixels)
{
    FDescriptionHeight = Pixels;
    FDescriptionHeightApplied = false;
    ApplyDescriptionHeight();
}

void TFrObjectInspector::SetDescriptionLines(int Lines)
{
    // A line of the memo is as high as the tallest face in it: Latin text in the
    // desktop's face, the Chinese default line perhaps in another one.
    QTextLayout Sample(QStringLiteral("Ag ") + tr("默认值: %1").arg(QString()), meDescription->font());
    Sample.beginLayout();
    QTextLine Line = Sample.createLine();
    Line.setLeadingIncluded(true);
    Sample.endLayout();
    const QMargins Frame = meDescription->contentsMargins();
    const qreal Margin = meDescription->document()->documentMargin();
    // The memo takes its last line for whole only with a pixel to spare below it.
    SetDescriptionHeight(qCeil(Lines * Line.height() + 2 * Margin) + 1 + Frame.top() + Frame.bottom());
}

void TFrObjectInspector::SetKeyColumnWidth(int Pixels)
{
    vlObjectInspector->SetKeyColumnWidth(Pixels);
}

void TFrObjectInspector::resizeEvent(QResizeEvent* Event)
{
    QWidget::resizeEvent(Event);
    if (!FDescriptionHeightApplied)
        ApplyDescriptionHeight();
}

void TFrObjectInspector::ApplyDescriptionHeight()
{
    // Until the splitter has room for the memo the sizes are divided on every resize
    // (the first ones come before the frame has its height); afterwards the stretch
    // factors keep the memo's height.
    const int Available = spObjectInspector->height() - spObjectInspector->handleWidth();
    if (Available <= 0)
        return;
    const int Memo = std::min(FDescriptionHeight, Available);
    spObjectInspector->setSizes({Available - Memo, Memo});
    FDescriptionHeightApplied = Memo == FDescriptionHeight;
}

void TFrObjectInspector::GridValidate(int ACol, int ARow, const QString& KeyName, const QString& KeyValue)
{
    TErrorHandler::Run(this, [&] {
        if (FOnValidate)
            FOnValidate(ACol, ARow, KeyName, KeyValue);
        else
            vlObjectInspectorValidate(ACol, ARow, KeyName, KeyValue);
    });
}

void TFrObjectInspector::GridEditButtonClick()
{
    TErrorHandler::Run(this, [&] {
        if (FOnEditButtonClick)
            FOnEditButtonClick();
        else
            vlObjectInspectorEditButtonClick();
    });
}

bool TFrObjectInspector::ChooseColor(const QString& Current, QString& Chosen)
{
    QColorDialog Dialog(this);
    Dialog.setObjectName(QStringLiteral("cdColor"));
    Dialog.setOption(QColorDialog::DontUseNativeDialog);
    qint32 Value = 0;
    if (!TRTTI::TryParseInteger(Current, Value))
        Value = 0;
    Dialog.setCurrentColor(QColorOf(Value));
    if (Dialog.exec() != QDialog::Accepted)
        return false;
    Chosen = QString::number(TColorOf(Dialog.selectedColor()));
    return true;
}

bool TFrObjectInspector::ChooseFile(const QString& Current, QString& Chosen)
{
    QFileDialog Dialog(this);
    Dialog.setObjectName(QStringLiteral("odDocument"));
    Dialog.setOption(QFileDialog::DontUseNativeDialog);
    Dialog.setFileMode(QFileDialog::ExistingFiles);
    Dialog.setNameFilters(TFileDialogFilter::NameFilters(
        tr("All 支持的格式 (*.docx;*.doc;*.xlsx;*.xls;*.sub;*.txt)|*.docx;*.doc;*.xlsx;*.xls;*.sub;*.txt|"
           "Microsoft Word 文件 (*.docx;*.doc)|*.docx;*.doc|Microsoft Excel 工作表 (*.xlsx;*.xls)|*.xlsx;*.xls|"
           "SUB Subtitles (*.sub)|*.sub|纯文本文件 (*.txt)|*.txt|所以文件 (*.*)|*.*")));
    if (!Current.isEmpty()) {
        const QFileInfo Info(Current);
        Dialog.setDirectory(Info.absolutePath());
        Dialog.selectFile(Info.fileName());
    }
    if (Dialog.exec() != QDialog::Accepted || Dialog.selectedFiles().isEmpty())
        return false;
    Chosen = Dialog.selectedFiles().constFirst();
    return true;
}

bool TFrObjectInspector::ChooseDirectory(const QString& Current, QString& Chosen)
{
    const QString Start = !Current.isEmpty() && QDir(Current).exists() ? Current : QString();
    Chosen = QFileDialog::getExistingDirectory(this, tr("选择目录"), Start,
                                               QFileDialog::ShowDirsOnly | QFileDialog::DontUseNativeDialog);
    return !Chosen.isEmpty();
}
