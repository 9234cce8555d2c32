#include "core/Fault.h"

namespace vocarin {

Fault::Fault(QString message) : m_message(std::move(message)), m_utf8(m_message.toUtf8()) {}

ListIndexFault::ListIndexFault(qsizetype index)
    : Fault(QStringLiteral("リストのインデックスが範囲を超えています (%1)").arg(index))
{
}

FileOpenFault::FileOpenFault(const QString& fullPath, const QString& reason)
    : Fault(QStringLiteral("ファイル %1 は開けません。 %2 ").arg(fullPath, reason))
{
}

NumberFormatFault::NumberFormatFault(const QString& text)
    : Fault(QStringLiteral("'%1' は整数ではありません").arg(text))
{
}

TextDecodingFault::TextDecodingFault()
    : Fault(QStringLiteral(
          "Unicode 文字のマッピングがターゲットのマルチバイト コード ページに存在しません"))
{
}

} // namespace vocarin
