#include "platform/MemoryStatus.h"

#include <QtTest>

#include <cstring>
#include <memory>

class TestMemoryStatus : public QObject {
    Q_OBJECT
private slots:
    void peakFollowsTouchedMemory();
};

void TestMemoryStatus::peakFollowsTouchedMemory() {
    const std::uint64_t before = MemoryStatus::peakResidentBytes();
    QVERIFY(before > 0);
    constexpr std::size_t size = 64u * 1024u * 1024u;
    {
        // Pages count once written, not when reserved.
        auto block = std::make_unique<char[]>(size);
        std::memset(block.get(), 1, size);
        QCOMPARE(block[size - 1], char(1));
    }
    const std::uint64_t after = MemoryStatus::peakResidentBytes();
    QVERIFY2(after >= before + size * 9 / 10, qPrintable(QString::number(after - before)));
    // A peak is kept after the memory is given back.
    QVERIFY(MemoryStatus::peakResidentBytes() >= after);
}

QTEST_GUILESS_MAIN(TestMemoryStatus)
#include "tst_memorystatus.moc"
