// Mechanisms every screen shares and the shared routines that take a control.
#include "shell/screens/ScreenHelpers.h"

#include "shell/screens/AppState.h"
#include "core/CodeLists.h"
#include "core/Pictures.h"
#include "core/TextCodec.h"
#include "store/Conversions.h"
#include "store/DataModule.h"
#include "shell/screens/DialogService.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QEvent>
#include <QFocusEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTextEdit>
#include <QTimer>
#include <QValidator>

// ---------------------------------------------------------------- showing screens

namespace {
ModalHook modalHook;
}

int ShowModal(QDialog& screen)
{
    if (modalHook)
        return modalHook(screen);
    return screen.exec();
}

void SetModalHookForTesting(ModalHook hook)
{
    modalHook = std::move(hook);
}

void CenterOnScreen(QWidget& window)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    const QSize size = window.frameGeometry().size().isValid() ? window.frameGeometry().size() : window.size();
    window.move(area.center() - QPoint(size.width() / 2, size.height() / 2));
}

BusyCursor::BusyCursor()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
}

BusyCursor::~BusyCursor()
{
    QApplication::restoreOverrideCursor();
}

// ---------------------------------------------------------------- keyboard and focus

namespace {

bool takesFocusByTab(QWidget* w)
{
    return w->isVisibleTo(w->window()) && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus)
           && w->window()->isAncestorOf(w);
}

class EnterFilter final : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return false;
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || qobject_cast<QAbstractButton*>(w) || qobject_cast<QPlainTextEdit*>(w) || qobject_cast<QTextEdit*>(w))
            return false;
        QWidget* next = w->nextInFocusChain();
        while (next && next != w && !takesFocusByTab(next))
            next = next->nextInFocusChain();
        if (next && next != w)
            next->setFocus(Qt::TabFocusReason);
        return true;
    }
};

class LeaveFilter final : public QObject {
public:
    LeaveFilter(QWidget& field, std::function<bool()> check, bool returnFocus)
        : QObject(&field), field_(&field), check_(std::move(check)), returnFocus_(returnFocus)
    {
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() != QEvent::FocusOut || running_)
            return false;
        const Qt::FocusReason reason = static_cast<QFocusEvent*>(event)->reason();
        if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason)
            return false;
        // A combo box's own popup or line edit taking the focus is not leaving the field;
        // neither is a press on キャンセル or 閉じる, which must work whatever the field holds.
        if (QWidget* now = QApplication::focusWidget(); now && (field_->isAncestorOf(now) || LeavesFieldsUnchecked(*now)))
            return false;
        running_ = true;
        const bool ok = check_();
        running_ = false;
        if (!ok && returnFocus_) {
            QPointer<QWidget> f = field_;
            QTimer::singleShot(0, field_, [f] {
                if (f)
                    f->setFocus(Qt::OtherFocusReason);
            });
        }
        return false;
    }

private:
    QWidget* field_;
    std::function<bool()> check_;
    bool returnFocus_;
    bool running_ = false;
};

class Cp932Validator final : public QValidator {
public:
    Cp932Validator(int maxBytes, QObject* parent) : QValidator(parent), maxBytes_(maxBytes) {}
    State validate(QString& input, int&) const override
    {
        return Cp932Length(input) <= maxBytes_ ? Acceptable : Invalid;
    }
    void fixup(QString& input) const override { input = TruncateToCp932Bytes(input, maxBytes_); }

private:
    int maxBytes_;
};

} // namespace

void InstallEnterMovesFocus(QWidget& root)
{
    auto* filter = new EnterFilter(&root);
    const QList<QWidget*> children = root.findChildren<QWidget*>();
    for (QWidget* w : children)
        if (w->focusPolicy() != Qt::NoFocus)
            w->installEventFilter(filter);
}

bool LeavesFieldsUnchecked(const QWidget& widget)
{
    static const QStringList names = {QStringLiteral("btnCancel"), QStringLiteral("btnClose"),
                                      QStringLiteral("BTN_Close")};
    return qobject_cast<const QAbstractButton*>(&widget) && names.contains(widget.objectName());
}

void CheckWhenLeft(QWidget& field, std::function<bool()> check)
{
    field.installEventFilter(new LeaveFilter(field, std::move(check), true));
}

void OnLeave(QWidget& field, std::function<void()> action)
{
    field.installEventFilter(new LeaveFilter(
        field,
        [action = std::move(action)] {
            action();
            return true;
        },
        false));
}

void SetShiftJisLimit(QLineEdit& edit, int maxBytes)
{
    edit.setValidator(new Cp932Validator(maxBytes, &edit));
}

TRightEdit::TRightEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

TCenterEdit::TCenterEdit(QWidget* parent) : QLineEdit(parent)
{
    setAlignment(Qt::AlignCenter);
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const QString& caption)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

RecordNavigator MakeRecordNavigator(QWidget* parent)
{
    RecordNavigator n;
    auto navButton = [parent](const char* name, const char* caption, const char* hint) {
        QPushButton* b = MakeButton(parent, QString::fromLatin1(name), QString::fromUtf8(caption));
        b->setFixedSize(44, 30);
        b->setToolTip(QString::fromUtf8(hint));
        return b;
    };
    n.first = navButton("btnFirst", "|◀", "最初のデータ");
    n.prior = navButton("btnPrior", "◀", "前のデータ");
    n.next = navButton("btnNext", "▶", "次のデータ");
    n.last = navButton("btnLast", "▶|", "最後のデータ");
    n.current = new TRightEdit(parent);
    n.current->setObjectName(QStringLiteral("txtCureentNo"));
    n.count = new TRightEdit(parent);
    n.count->setObjectName(QStringLiteral("txtLastNo"));
    for (QLineEdit* e : {n.current, n.count}) {
        e->setReadOnly(true);
        e->setFocusPolicy(Qt::NoFocus);
        e->setFixedWidth(50);
    }
    n.layout = new QHBoxLayout;
    n.layout->addWidget(n.first);
    n.layout->addWidget(n.prior);
    n.layout->addWidget(n.current);
    n.layout->addWidget(new QLabel(QStringLiteral("/"), parent));
    n.layout->addWidget(n.count);
    n.layout->addWidget(n.next);
    n.layout->addWidget(n.last);
    n.layout->addStretch();
    return n;
}

void SetupFixedForm(QDialog& form, const QString& objectName, const QString& caption, int width, int height)
{
    form.setObjectName(objectName);
    form.setWindowTitle(caption);
    form.setFixedSize(width, height);
    QFont font(QStringLiteral("Noto Sans CJK JP"));
    font.setPixelSize(12);
    form.setFont(font);
}

// ---------------------------------------------------------------- code lists

void FillListFromQuery(QComboBox& list, const QString& statement, bool withNone, const QVariantList& values)
{
    list.clear();
    if (withNone)
        list.addItem(NoneItem);
    if (!HasFDM())
        return;
    DbQuery& q = FDM().Query21;
    if (!FDM().RunStatement(q, statement, 'S', values))
        return;
    for (; !q.eof(); q.next())
        list.addItem(VariantToTextOrZero(q.value(QStringLiteral("COMBNAME"))));
    q.close();
}

void FillEvaluationList(QComboBox& list, int wageTableId)
{
    const TMKIGYOU2& c = Project().CurrentCompany;
    FillListFromQuery(list,
                      QStringLiteral("select HCO || ' : ' || HKIGOU as COMBNAME  from MHYOUKA where  KCO  =  ? "
                                     "and Nendo = ? and SKCO  = ? order by HCO"),
                      false, {c.KCO.toLongLong(), c.NENDO.toLongLong(), qint64(wageTableId)});
    list.addItem(NoneItem);
}

void FillGradeList(QComboBox& list)
{
    list.clear();
    list.addItems(GradeItems(Project().CurrentCompany.TK));
}

void FillLineStyles(QComboBox& list)
{
    list.clear();
    list.addItems(LineStyleItems());
}

QStringList ItemsOf(const QComboBox& list)
{
    QStringList out;
    for (int i = 0; i < list.count(); ++i)
        out << list.itemText(i);
    return out;
}

void ShowListText(QComboBox& list, const QString& text)
{
    const int i = list.findText(text);
    if (i >= 0)
        list.setCurrentIndex(i);
    else if (list.isEditable())
        list.setEditText(text);
    else
        list.setCurrentIndex(-1);
    if (list.isEditable())
        list.setEditText(text);
}

int SelectItemByCode(QComboBox& list, const QString& code)
{
    const int i = IndexOfCode(ItemsOf(list), code);
    if (i >= 0) {
        list.setCurrentIndex(i);
        if (list.isEditable())
            list.setEditText(list.itemText(i));
    }
    return i;
}

int SelectedItemCode(const QComboBox& list)
{
    const QString text = list.isEditable() ? list.currentText() : (list.currentIndex() >= 0 ? list.currentText() : QString());
    return SelectedCodeOf(text);
}

QString SelectedItemName(const QComboBox& list)
{
    if (!list.isEditable() && list.currentIndex() < 0)
        return {};
    return NameOf(list.currentText());
}

QString ItemTextForCode(QComboBox& list, const QString& codeText, bool zeroIsEmpty)
{
    const QString code = CodeTextOf(codeText);
    if (code.isEmpty())
        return {};
    if (zeroIsEmpty && code == QLatin1String("0"))
        return {};
    bool ok = false;
    const int n = code.toInt(&ok);
    const int i = IndexOfCode(ItemsOf(list), ok ? QString::number(n) : code);
    if (i >= 0) {
        list.setCurrentIndex(i);
        return list.itemText(i);
    }
    return (ok ? QString::number(n) : code) + UnregisteredSuffix;
}

bool CheckCodeList(QComboBox& list, bool checkEmpty, bool refuseAbsent, bool refuseZero, int* code)
{
    const CodeCheck r = CheckCodeText(list.currentText(), ItemsOf(list), checkEmpty, refuseAbsent, refuseZero);
    if (code)
        *code = r.code;
    if (!r.ok) {
        Dialogs().warning(QString(), r.message);
        return false;
    }
    if (r.itemIndex >= 0) {
        list.setCurrentIndex(r.itemIndex);
        if (list.isEditable())
            list.setEditText(list.itemText(r.itemIndex));
    } else if (list.isEditable()) {
        list.setEditText(r.text);
    }
    return true;
}

// ---------------------------------------------------------------- field checks

bool CheckIntegerField(QLineEdit& field, int maxLength, long long maximum, long long minimum, const QString& format)
{
    const FieldCheck r = CheckIntegerText(field.text(), maxLength, maximum, minimum, format, field.maxLength());
    if (!r.ok) {
        Dialogs().warning(QString(), r.message);
        return false;
    }
    if (!format.isEmpty())
        field.setText(r.text);
    return true;
}

bool CheckRealField(QLineEdit& field, int maxLength, const QString& format)
{
    const FieldCheck r = CheckRealText(field.text(), maxLength, format, field.maxLength());
    if (!r.ok) {
        Dialogs().warning(QString(), r.message);
        return false;
    }
    if (!format.isEmpty())
        field.setText(r.text);
    return true;
}

// ---------------------------------------------------------------- pictures and check boxes

bool LoadPicture(QLabel& image, QString& name)
{
    if (name.isEmpty()) {
        image.clear();
        return false;
    }
    const QImage picture = ReadPictureFile(PicturePath(App().ExeFolder, name));
    if (picture.isNull()) {
        image.clear();
        name.clear();
        return false;
    }
    image.setAlignment(Qt::AlignCenter);
    image.setPixmap(QPixmap::fromImage(picture).scaled(image.size(), Qt::KeepAspectRatio, Qt::FastTransformation));
    return true;
}

namespace {
std::vector<bool> ticks(const QList<QAbstractButton*>& boxes)
{
    std::vector<bool> out;
    for (QAbstractButton* b : boxes)
        out.push_back(b && b->isChecked());
    return out;
}
} // namespace

QString InListOfChecked(const QList<QAbstractButton*>& boxes)
{
    return InListOfChecked(ticks(boxes));
}

QString FlagsFromChecks(const QList<QAbstractButton*>& boxes)
{
    return FlagsFromChecks(ticks(boxes));
}

void SetChecksFromFlags(const QList<QAbstractButton*>& boxes, const QString& flags)
{
    for (int i = 0; i < boxes.size(); ++i)
        boxes[i]->setChecked(i < flags.size() && flags.at(i) == '1');
}

void SetAllChecks(const QList<QAbstractButton*>& boxes, bool state)
{
    for (QAbstractButton* b : boxes)
        b->setChecked(state);
}

int FirstCheckedIndex(const QList<QAbstractButton*>& buttons)
{
    for (int i = 0; i < buttons.size(); ++i)
        if (buttons[i]->isChecked())
            return i;
    return 0;
}
