#include "TLanguage.h"

#include "EConvertError.h"
#include "ProfileFile.h"

#include <QApplication>
#include <QFile>
#include <QMetaProperty>
#include <QWidget>

#include <limits>

namespace {

const char *const kTranslationsSection = "Translations";
const char *const kMessagesSection = "Messages";

std::string fileName(const QString &path)
{
    return QFile::encodeName(path).toStdString();
}

bool sameName(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QObject *topLevelObject(const QString &name)
{
    const QCoreApplication *app = QCoreApplication::instance();
    if (app == nullptr)
        return nullptr;
    // Objects parented to the application keep their creation order; widgets
    // without a parent are only reachable as top-level widgets.
    for (QObject *child : app->children()) {
        if (sameName(child->objectName(), name))
            return child;
    }
    if (qobject_cast<const QApplication *>(app) != nullptr) {
        for (QWidget *w : QApplication::topLevelWidgets()) {
            if (sameName(w->objectName(), name))
                return w;
        }
    }
    return nullptr;
}

QObject *descendant(QObject *owner, const QString &name)
{
    // findChildren walks depth first in creation order, so the first match
    // is the one a designer would expect.
    const QList<QObject *> all = owner->findChildren<QObject *>(QString(), Qt::FindChildrenRecursively);
    for (QObject *child : all) {
        if (sameName(child->objectName(), name))
            return child;
    }
    return nullptr;
}

QMetaProperty findProperty(const QObject *object, const QString &name)
{
    const QMetaObject *meta = object->metaObject();
    for (int i = 0; i < meta->propertyCount(); ++i) {
        const QMetaProperty p = meta->property(i);
        if (sameName(QString::fromLatin1(p.name()), name))
            return p;
    }
    return {};
}

bool isIntegerType(int typeId)
{
    switch (typeId) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return true;
    default:
        return false;
    }
}

QString currentText(const QObject *object, const QMetaProperty &property, const QString &separator)
{
    if (!property.isValid())
        return {};
    const QVariant v = property.read(object);
    if (v.metaType().id() == QMetaType::QStringList)
        return v.toStringList().join(separator.isEmpty() ? QStringLiteral(",") : separator);
    return v.toString();
}

} // namespace

TLanguage::TLanguage(QObject *parent) : QObject(parent) {}

TLanguage::~TLanguage() = default;

void TLanguage::setSeparator(const QString &separator)
{
    m_separator = separator.trimmed().isEmpty() ? QStringLiteral(",") : separator;
}

void TLanguage::Translate()
{
    if (m_onBeforeTranslation)
        m_onBeforeTranslation(this);
    const ProfileFile file = ProfileFile::load(fileName(m_languageFile));
    // Work on a copy: a handler may change Properties while we run.
    const QStringList paths = m_properties;
    for (const QString &path : paths) {
        if (path.trimmed().isEmpty())
            continue;
        const std::string value = file.value(kTranslationsSection, path.toStdString());
        applyPath(path, QString::fromStdString(value));
    }
    if (m_onAfterTranslation)
        m_onAfterTranslation(this);
}

QString TLanguage::TranslateText(const QString &text) const
{
    const ProfileFile file = ProfileFile::load(fileName(m_languageFile));
    const std::string value = file.value(kMessagesSection, text.toStdString());
    // An entry written without a text would show an empty message box.
    if (value.empty())
        return text;
    return QString::fromStdString(value);
}

QStringList TLanguage::splitList(const QString &value, const QString &separator)
{
    QStringList items;
    QString rest = value;
    if (!separator.isEmpty()) {
        qsizetype at;
        while ((at = rest.indexOf(separator)) >= 0) {
            items.append(rest.left(at).trimmed());
            rest.remove(0, at + separator.size());
        }
    }
    rest = rest.trimmed();
    if (!rest.isEmpty())
        items.append(rest);
    return items;
}

int TLanguage::toInteger(const QString &text)
{
    const QString s = text.trimmed();
    bool ok = false;
    qlonglong number = 0;
    QStringView digits(s);
    bool negative = false;
    if (!digits.isEmpty() && (digits.front() == u'-' || digits.front() == u'+')) {
        negative = digits.front() == u'-';
        digits = digits.mid(1);
    }
    int base = 10;
    if (digits.startsWith(u'$')) {
        digits = digits.mid(1);
        base = 16;
    } else if (digits.startsWith(u"0x", Qt::CaseInsensitive)) {
        digits = digits.mid(2);
        base = 16;
    }
    // toLongLong would accept its own sign and blanks; only plain digits may remain.
    bool plain = !digits.isEmpty();
    for (QChar c : digits) {
        if (!(c.isDigit() && c.unicode() < 128) && !(base == 16 && QStringLiteral("abcdefABCDEF").contains(c)))
            plain = false;
    }
    if (plain && digits.size() <= 16)
        number = digits.toLongLong(&ok, base);
    if (negative)
        number = -number;
    if (!ok || number < std::numeric_limits<int>::min() || number > std::numeric_limits<int>::max())
        throw EConvertError("'" + text.toStdString() + "' is not a valid integer value");
    return static_cast<int>(number);
}

QObject *TLanguage::resolve(const QStringList &names)
{
    // A path with no object part names a property of the application itself.
    if (names.isEmpty())
        return QCoreApplication::instance();
    QObject *current = topLevelObject(names.front().trimmed());
    for (qsizetype i = 1; i < names.size() && current != nullptr; ++i)
        current = descendant(current, names.at(i).trimmed());
    return current;
}

void TLanguage::applyPath(const QString &path, QString value)
{
    QString rest = path.trimmed();
    if (rest.isEmpty())
        return;
    QStringList names;
    qsizetype dot;
    while ((dot = rest.indexOf(u'.')) >= 0) {
        names.append(rest.left(dot).trimmed());
        rest = rest.mid(dot + 1).trimmed();
    }
    QObject *component = resolve(names);
    if (component == nullptr || value.isEmpty())
        return;

    const QString &propertyName = rest;
    const QMetaProperty property = findProperty(component, propertyName);
    if (m_onTranslate)
        m_onTranslate(component, propertyName, currentText(component, property, m_separator), value);
    if (!property.isValid() || !property.isWritable())
        return;

    const int type = property.metaType().id();
    if (type == QMetaType::QString) {
        property.write(component, value);
    } else if (isIntegerType(type)) {
        property.write(component, toInteger(value));
    } else if (type == QMetaType::QStringList) {
        property.write(component, splitList(value, m_separator));
    }
    // Other kinds (colours, booleans, ...) are not translatable texts: left alone.
}
