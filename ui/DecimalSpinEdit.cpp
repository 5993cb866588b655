// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/DecimalSpinEdit.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include <QAccessible>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionSpinBox>

namespace {

constexpr std::int64_t Scale = 10000;  // four decimal places
// Digits before the separator: enough for any range the window uses, far from an overflow.
constexpr int IntegerDigits = 9;

std::int64_t Fixed(double value) {
    return static_cast<std::int64_t>(std::llround(value * Scale));
}

// A number as typed, with "," or "." as the separator and at most four decimals; nothing for a
// text that is not (yet) such a number.
std::optional<std::int64_t> Parse(const QString& text) {
    static const QRegularExpression number(
        QStringLiteral("^\\s*(\\d{0,%1})(?:[.,](\\d{0,4}))?\\s*$").arg(IntegerDigits));
    const QRegularExpressionMatch match = number.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    const std::int64_t whole = match.captured(1).toLongLong();
    const QString decimals = match.captured(2).leftJustified(4, QLatin1Char('0'));
    return whole * Scale + decimals.toLongLong();
}

}  // namespace

DecimalSpinEdit::DecimalSpinEdit(QWidget* parent) : QAbstractSpinBox(parent) {
    setKeyboardTracking(true);
    lineEdit()->setText(textOf(Value));
    connect(lineEdit(), &QLineEdit::textEdited, this,
            [this](const QString& text) { textEdited(text); });
}

void DecimalSpinEdit::setRange(double minimum, double maximum) {
    Minimum = Fixed(minimum);
    Maximum = std::max(Minimum, Fixed(maximum));
    setFixedValue(std::clamp(Value, Minimum, Maximum));
}

void DecimalSpinEdit::setSingleStep(double step) {
    Step = Fixed(step);
}

double DecimalSpinEdit::minimum() const {
    return static_cast<double>(Minimum) / Scale;
}

double DecimalSpinEdit::maximum() const {
    return static_cast<double>(Maximum) / Scale;
}

double DecimalSpinEdit::singleStep() const {
    return static_cast<double>(Step) / Scale;
}

double DecimalSpinEdit::value() const {
    return static_cast<double>(Value) / Scale;
}

void DecimalSpinEdit::setValue(double value) {
    setFixedValue(std::clamp(Fixed(value), Minimum, Maximum));
}

void DecimalSpinEdit::stepBy(int steps) {
    setFixedValue(std::clamp(Value + steps * Step, Minimum, Maximum));
    selectAll();
}

QValidator::State DecimalSpinEdit::validate(QString& input, int&) const {
    if (Parse(input))
        return QValidator::Acceptable;
    static const QRegularExpression partial(QStringLiteral("^\\s*\\d*[.,]?\\s*$"));
    return partial.match(input).hasMatch() ? QValidator::Intermediate : QValidator::Invalid;
}

void DecimalSpinEdit::fixup(QString& input) const {
    input = textOf(Value);
}

QSize DecimalSpinEdit::sizeHint() const {
    ensurePolished();
    // Room for the widest value of the range with all four decimals.
    const QString widest =
        locale().toString(static_cast<double>(std::max(Maximum, -Minimum)) / Scale, 'f', 4);
    const QSize text(fontMetrics().horizontalAdvance(widest + QLatin1Char(' ')),
                     lineEdit()->sizeHint().height());
    QStyleOptionSpinBox option;
    initStyleOption(&option);
    return style()->sizeFromContents(QStyle::CT_SpinBox, &option, text, this);
}

QSize DecimalSpinEdit::minimumSizeHint() const {
    return sizeHint();
}

QAbstractSpinBox::StepEnabled DecimalSpinEdit::stepEnabled() const {
    StepEnabled enabled = StepNone;
    if (Value < Maximum)
        enabled |= StepUpEnabled;
    if (Value > Minimum)
        enabled |= StepDownEnabled;
    return enabled;
}

void DecimalSpinEdit::focusOutEvent(QFocusEvent* event) {
    // Also shows the value again over a text that is no number (an empty field).
    setFixedValue(std::clamp(Value, Minimum, Maximum));
    QAbstractSpinBox::focusOutEvent(event);
}

void DecimalSpinEdit::textEdited(const QString& text) {
    const std::optional<std::int64_t> typed = Parse(text);
    if (!typed || *typed == Value)
        return;
    valueChangedTo(*typed);
}

void DecimalSpinEdit::setFixedValue(std::int64_t value) {
    const QString text = textOf(value);
    if (lineEdit()->text() != text)
        lineEdit()->setText(text);
    if (value != Value)
        valueChangedTo(value);
}

void DecimalSpinEdit::valueChangedTo(std::int64_t value) {
    Value = value;
    // Qt's own spin boxes tell screen readers of a new value; this one does it itself.
    QAccessibleValueChangeEvent event(this, this->value());
    QAccessible::updateAccessibility(&event);
    emit valueChanged(this->value());
}

QString DecimalSpinEdit::textOf(std::int64_t value) const {
    // Up to four decimals, without trailing zeros, with the user's decimal separator.
    QLocale shown = locale();
    shown.setNumberOptions(QLocale::OmitGroupSeparator);
    QString text = shown.toString(static_cast<double>(value) / Scale, 'f', 4);
    const QString separator = shown.decimalPoint();
    if (text.contains(separator)) {
        while (text.endsWith(QLatin1Char('0')))
            text.chop(1);
        if (text.endsWith(separator))
            text.chop(separator.size());
    }
    return text;
}
