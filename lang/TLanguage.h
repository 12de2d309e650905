#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class ProfileFile;

/**
 * Translates a window's captions, hints, titles and lists from a language
 * file, and message texts just before they are shown.
 *
 * The language file is an INI file (see ProfileFile) with a "Translations"
 * section keyed by translation path and a "Messages" section keyed by the
 * Portuguese message text. A translation path is a chain of object names
 * separated by full stops, ending in a property name, for example
 * "F_HAIR.AbrirFoto1.CAPTION". The first name is one of the application's
 * top-level objects (a top-level widget or a QObject whose parent is qApp);
 * each following name is a descendant of the previous object. Names and the
 * property are compared without regard to case; blanks around each part are
 * ignored. Properties are the objects' Q_PROPERTYs: QString ones take the
 * value, integer ones the value read as a whole number, QStringList ones the
 * value split at Separator.
 *
 * Paths naming missing objects or properties are skipped silently, and a
 * missing file changes nothing.
 */
class TLanguage : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString LanguageFile READ LanguageFile WRITE setLanguageFile)
    Q_PROPERTY(QStringList Properties READ Properties WRITE setProperties)
    Q_PROPERTY(QString Separator READ Separator WRITE setSeparator)

public:
    /** Notification called with the component itself. */
    using TNotifyEvent = std::function<void(QObject *sender)>;
    /**
     * Called for each path just before its value is applied: the target
     * object, the property name as written in the path, the property's
     * current value as text, and the value to apply, which it may change.
     */
    using TTranslateEvent = std::function<void(QObject *component, const QString &propertyName,
                                               const QString &currentValue, QString &value)>;

    explicit TLanguage(QObject *parent = nullptr);
    ~TLanguage() override;

    /** Full path of the language file. */
    QString LanguageFile() const { return m_languageFile; }
    void setLanguageFile(const QString &path) { m_languageFile = path; }

    /** Translation paths of this window, one per entry; held as a copy. */
    QStringList Properties() const { return m_properties; }
    void setProperties(const QStringList &paths) { m_properties = paths; }

    /** Item separator for list values; empty (no splitting) until set. */
    QString Separator() const { return m_separator; }
    /** Stores @p separator, or "," when it is empty or only blanks. */
    void setSeparator(const QString &separator);

    TNotifyEvent OnBeforeTranslation() const { return m_onBeforeTranslation; }
    void setOnBeforeTranslation(TNotifyEvent handler) { m_onBeforeTranslation = std::move(handler); }
    TNotifyEvent OnAfterTranslation() const { return m_onAfterTranslation; }
    void setOnAfterTranslation(TNotifyEvent handler) { m_onAfterTranslation = std::move(handler); }
    TTranslateEvent OnTranslate() const { return m_onTranslate; }
    void setOnTranslate(TTranslateEvent handler) { m_onTranslate = std::move(handler); }

    /**
     * Applies every path of Properties, in order, from the "Translations"
     * section. An empty or missing entry leaves the property as it is.
     * @throws EConvertError when an integer property's value is not a whole
     *         number; the remaining paths are then not applied and
     *         OnAfterTranslation is not called.
     */
    void Translate();

    /**
     * The "Messages" entry for @p text (key compared without regard to case),
     * or @p text itself when there is none or it is empty. Reads the file
     * anew at every call, so edits show at once.
     */
    QString TranslateText(const QString &text) const;

    /**
     * Splits a list value: every part before a separator is trimmed and kept,
     * even when empty; the trimmed remainder is kept only when not empty.
     * An empty separator gives the whole trimmed value as one item.
     */
    static QStringList splitList(const QString &value, const QString &separator);

    /**
     * Reads @p text as a whole number (optional sign, decimal digits, or hex
     * after "$" or "0x"; blanks around it allowed), 32-bit range.
     * @throws EConvertError naming the text otherwise.
     */
    static int toInteger(const QString &text);

    /**
     * The object a dotted path of names leads to from the application's
     * top-level objects, or nullptr; no names at all means the application object. @p names excludes the property part.
     */
    static QObject *resolve(const QStringList &names);

private:
    void applyPath(const QString &path, QString value);

    QString m_languageFile;
    QStringList m_properties;
    QString m_separator;
    TNotifyEvent m_onBeforeTranslation;
    TNotifyEvent m_onAfterTranslation;
    TTranslateEvent m_onTranslate;
};
