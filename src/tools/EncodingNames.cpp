#include "tools/EncodingNames.h"

#include <QHash>

using namespace Qt::StringLiterals;

namespace vocarin::tools {

QString encodingId(CourseEncoding encoding)
{
    switch (encoding) {
    case CourseEncoding::Utf8Bom:
        return u"utf-8-bom"_s;
    case CourseEncoding::Utf16LE:
        return u"utf-16le"_s;
    case CourseEncoding::Utf16BE:
        return u"utf-16be"_s;
    case CourseEncoding::Utf8:
        return u"utf-8"_s;
    case CourseEncoding::Cp932:
        break;
    }
    return u"cp932"_s;
}

QString encodingLabel(const QString& id)
{
    static const QHash<QString, QString> labels{
        {u"utf-8-bom"_s, u"UTF-8（BOMあり）"_s},   {u"utf-16le"_s, u"UTF-16LE（BOMあり）"_s},
        {u"utf-16be"_s, u"UTF-16BE（BOMあり）"_s}, {u"utf-8"_s, u"UTF-8（BOMなし）"_s},
        {u"cp932"_s, u"シフトJIS（CP932）"_s},
    };
    return labels.value(id, id);
}

} // namespace vocarin::tools
