#include "TitleDocumentFile.h"

#include "AtomicFile.h"
#include "IntfCastError.h"
#include "UnicodeTextFile.h"

#include "model/OSError.h"
#include "model/WholeFileReader.h"
#include "model/XMLDocError.h"

#include <cstring>

namespace
{
QString ParseReason(pugi::xml_parse_status Status)
{
    switch (Status) {
    case pugi::status_ok:
        return QString();
    case pugi::status_file_not_found:
        return QStringLiteral("文件不存在");
    case pugi::status_io_error:
        return QStringLiteral("读取文件时出错");
    case pugi::status_out_of_memory:
        return QStringLiteral("内存不足");
    case pugi::status_internal_error:
        return QStringLiteral("XML 解析器内部错误");
    case pugi::status_unrecognized_tag:
        return QStringLiteral("无法识别的标记");
    case pugi::status_bad_pi:
        return QStringLiteral("处理指令或 XML 声明格式错误");
    case pugi::status_bad_comment:
        return QStringLiteral("注释格式错误");
    case pugi::status_bad_cdata:
        return QStringLiteral("CDATA 段格式错误");
    case pugi::status_bad_doctype:
        return QStringLiteral("文档类型声明格式错误");
    case pugi::status_bad_pcdata:
        return QStringLiteral("文本内容格式错误");
    case pugi::status_bad_start_element:
        return QStringLiteral("开始标签格式错误");
    case pugi::status_bad_attribute:
        return QStringLiteral("属性格式错误");
    case pugi::status_bad_end_element:
        return QStringLiteral("结束标签格式错误");
    case pugi::status_end_element_mismatch:
        return QStringLiteral("开始标签与结束标签不匹配，文件可能不完整");
    case pugi::status_append_invalid_root:
        return QStringLiteral("根节点无效");
    case pugi::status_no_document_element:
        return QStringLiteral("文件中没有根元素，不是 XML 文件");
    }
    return QStringLiteral("未知错误");
}

bool IsTitleDocumentRoot(const pugi::xml_node& Root)
{
    if (!Root || std::strcmp(Root.name(), "TitleDocument") != 0)
        return false;
    const pugi::xml_attribute Namespace = Root.attribute("xmlns");
    return !Namespace || *Namespace.value() == '\0';
}

QString CannotReadTitle(const QString& FileName, const QString& Reason)
{
    return QStringLiteral("无法读取字幕文件 '%1'：%2。").arg(FileName, Reason);
}

class TTitleFileReader final : public TWholeFileReader
{
public:
    TTitleFileReader()
        : TWholeFileReader(MaximumTitleFileSize)
    {
    }

protected:
    [[noreturn]] void CannotOpen(const QString& FileName, const QString& Reason) const override
    {
        throw EOSError(CannotReadTitle(FileName, Reason));
    }
    [[noreturn]] void CannotRead(const QString& FileName, const QString& Reason) const override
    {
        throw EOSError(CannotReadTitle(FileName, Reason));
    }
    [[noreturn]] void TooLarge(const QString& FileName) const override
    {
        throw EOSError(QStringLiteral("字幕文件 '%1' 过大（超过 %2 MB），不是有效的字幕文件。")
                           .arg(FileName)
                           .arg(MaximumSize() / (1024 * 1024)));
    }
};

constexpr unsigned ParseOptions = pugi::parse_default | pugi::parse_ws_pcdata | pugi::parse_comments | pugi::parse_pi;
} // namespace

TXMLTitleDocumentType ParseTitleDocument(const QByteArray& Content, const QString& FileName)
{
    auto Document = std::make_shared<TTitleXmlDocument>(FileName);
    const pugi::xml_parse_result Result =
        Document->Xml().load_buffer(Content.constData(), size_t(Content.size()), ParseOptions, pugi::encoding_auto);
    if (!Result)
        throw EXMLDocError(QStringLiteral("无法读取字幕文件 '%1'：%2（位置 %3）。")
                               .arg(FileName, ParseReason(Result.status))
                               .arg(qint64(Result.offset)));
    const pugi::xml_node Root = Document->Xml().document_element();
    if (!IsTitleDocumentRoot(Root))
        throw EIntfCastError(QStringLiteral("Interface not supported"));
    return TXMLTitleDocumentType(std::move(Document), Root);
}

TXMLTitleDocumentType LoadTitleDocument(const QString& FileName)
{
    return ParseTitleDocument(TTitleFileReader().Read(FileName), FileName);
}

QString TitleDocumentText(const TXMLTitleDocumentType& Document)
{
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\r\n<!--Canopus Co., Ltd. Quick Titler-->\r\n")
         + Document.XML();
}

QByteArray TitleDocumentBytes(const TXMLTitleDocumentType& Document)
{
    return TUnicodeTextFile::Encode(TitleDocumentText(Document));
}

void SaveTitleDocument(const TXMLTitleDocumentType& Document, const QString& FileName)
{
    TAtomicFile::Write(FileName, TitleDocumentBytes(Document));
}
