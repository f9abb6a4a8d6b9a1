#pragma once

// Typing as the commission types: keys go to whatever control has the focus,
// and the events that follow from each key run before the next one. Modal
// windows that a key opens are answered by whoever watches for them.

#include <QString>
#include <QTest>
#include <Qt>

#include <gtest/gtest.h>

class QWidget;

// Conditions that the event loop makes true: polled while events run (the
// QTRY_ macros of Qt Test would not tell GoogleTest of a failure).
#define EXPECT_SOON(cond) EXPECT_TRUE(QTest::qWaitFor([&] { return bool(cond); })) << #cond
#define ASSERT_SOON(cond) ASSERT_TRUE(QTest::qWaitFor([&] { return bool(cond); })) << #cond

namespace urn::test {

// Lets posted events and the events they cause run.
void settle();
QWidget* focus();
// Whether the control with this object name has the focus.
bool focused(const char* objectName);
// Keys to the focused control, as typed; Czech letters come as the keyboard
// delivers them.
void type(const QString& text);
void key(int key, Qt::KeyboardModifiers mods = Qt::NoModifier);
inline void enter() {
    key(Qt::Key_Return);
}
// Types the text over the focused field's text and presses Enter.
void field(const QString& text);

} // namespace urn::test
