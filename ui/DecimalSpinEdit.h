// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <cstdint>

#include <QAbstractSpinBox>

// A spin field for a decimal number held as a fixed-point value with four decimal places. It
// accepts either "," or "." as the decimal separator and reports every edit as a value change,
// also a typed value outside its range: that value stands until the field loses the keyboard
// focus or is stepped with its arrows, which bring it back into the range. Screen readers read
// its value, range and step from the properties below.
class DecimalSpinEdit : public QAbstractSpinBox {
    Q_OBJECT
    Q_PROPERTY(double value READ value WRITE setValue NOTIFY valueChanged USER true)
    Q_PROPERTY(double minimum READ minimum)
    Q_PROPERTY(double maximum READ maximum)
    Q_PROPERTY(double stepSize READ singleStep)

public:
    explicit DecimalSpinEdit(QWidget* parent = nullptr);

    void setRange(double minimum, double maximum);
    void setSingleStep(double step);
    double minimum() const;
    double maximum() const;
    double singleStep() const;
    double value() const;
    // The value in ten-thousandths.
    std::int64_t fixedValue() const { return Value; }
    // Rounds to four decimals and keeps the value inside the range.
    void setValue(double value);

    void stepBy(int steps) override;
    QValidator::State validate(QString& input, int& position) const override;
    void fixup(QString& input) const override;
    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

signals:
    void valueChanged(double value);

protected:
    StepEnabled stepEnabled() const override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void textEdited(const QString& text);
    void setFixedValue(std::int64_t value);
    void valueChangedTo(std::int64_t value);
    QString textOf(std::int64_t value) const;

    std::int64_t Minimum = 0;
    std::int64_t Maximum = 990000;
    std::int64_t Step = 10000;
    std::int64_t Value = 0;
};
