#include "app/SingleInstance.h"

#include <QDir>
#include <QFile>
#include <QSysInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace urn;

TEST(SingleInstance, SecondInstanceIsRefusedUntilTheFirstEnds) {
    QTemporaryDir runtime;
    auto first = std::make_unique<SingleInstance>(runtime.path());
    ASSERT_EQ(first->tryAcquire(), SingleInstance::Acquired);
    SingleInstance second(runtime.path());
    EXPECT_EQ(second.tryAcquire(), SingleInstance::HeldByOther);
    first.reset();
    SingleInstance third(runtime.path());
    EXPECT_EQ(third.tryAcquire(), SingleInstance::Acquired);
}

TEST(SingleInstance, LockLeftByADeadProcessIsTakenOver) {
    QTemporaryDir runtime;
    SingleInstance probe(runtime.path());
    // A lock file naming a process that does not exist, as a crash leaves it.
    QFile f(probe.lockPath());
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write("999999999\nurnarium\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    f.close();
    EXPECT_EQ(probe.tryAcquire(), SingleInstance::Acquired);
}

TEST(SingleInstance, LockThatCannotBeCreatedIsNotAnotherInstance) {
    QTemporaryDir runtime;
    // A plain file where the directory should be: no one, not even root,
    // can create the lock below it.
    const QString file = runtime.filePath(QStringLiteral("soubor"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    for (const QString& dir : {file, file + QStringLiteral("/run")}) {
        SingleInstance instance(dir);
        EXPECT_EQ(instance.tryAcquire(), SingleInstance::CannotCreate) << dir.toStdString();
        EXPECT_TRUE(instance.cannotCreateMessage().contains(QDir::toNativeSeparators(dir)));
    }
}
