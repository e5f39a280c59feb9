// SPDX-License-Identifier: MIT
// Every file the program writes ends complete or is reported with the old
// file left as it was: the settings file at close, Save as CSV, a PDF, and
// Year by Year's own settings; on a real full file system (a small tmpfs,
// where the test may mount one) and with a failure injected at each call.
// Files that could block the program when read are refused at once.
#include <sys/stat.h>

#include <QCloseEvent>
#include <QDir>
#include <QFile>
#include <QPrinter>
#include <QSettings>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "support/failing_files.h"
#include "support/full_disk.h"
#include "ui/window_fixture.h"
#include "ui/year_by_year/simulation_panel.h"
#include "ui/year_by_year/year_by_year_settings.h"
#include "ui/year_by_year/year_by_year_window.h"
#include "ui/year_by_year_fixture.h"

namespace nestora::testing {
namespace {

const std::string OldCsv = "year,phase\n1,saving\n";

class CompleteFiles : public YearByYearTest {
  protected:
    void SetUp() override {
        YearByYearTest::SetUp();
        // Year by Year's own settings in a folder of the test's own: these
        // tests block it.
        conf_ = std::make_unique<QTemporaryDir>();
        QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, conf_->path());
    }
    std::unique_ptr<QTemporaryDir> conf_;
};

TEST_F(CompleteFiles, CsvAndPdfOnAFullDiskAreReportedAndTheOldFilesStay) {
    FullDisk disk({{"plan.csv", OldCsv}, {"plan.pdf", "%PDF- an old one"}});
    if (!disk.ready()) GTEST_SKIP() << disk.whyNot();
    YearByYearWindow& yby = open();
    const QString csv = QString::fromStdString(disk.file("plan.csv"));
    EXPECT_FALSE(yby.writeCsv(csv));
    EXPECT_EQ(desktop.errors(),
              std::vector<std::string>{window->title() + "|Cannot save " + disk.file("plan.csv") +
                                       ": the disk is full (I/O error 112)"});
    EXPECT_EQ(ScratchFolder::read(disk.file("plan.csv")), OldCsv);

    desktop.calls.clear();
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(QString::fromStdString(disk.file("plan.pdf")));
    yby.printOn(printer);
    ASSERT_EQ(desktop.errors().size(), 1u);
    EXPECT_NE(desktop.errors()[0].find("the disk is full"), std::string::npos);
    EXPECT_EQ(ScratchFolder::read(disk.file("plan.pdf")), "%PDF- an old one");
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(disk.path()), {}), 3)
        << "no new file is left";
}

TEST_F(CompleteFiles, CsvAndPdfWithAFailureAtAnyCallLeaveTheOldFile) {
    YearByYearWindow& yby = open();
    QTemporaryDir folder;
    const std::string csvPath = folder.filePath("plan.csv").toStdString();
    FailingFiles probe;
    ASSERT_TRUE(yby.writeCsv(QString::fromStdString(csvPath), probe));
    for (const FileCall kind :
         {FileCall::Open, FileCall::Write, FileCall::Sync, FileCall::Close, FileCall::Replace}) {
        for (int k = 1; k <= probe.calls(kind); ++k) {
            SCOPED_TRACE(::testing::Message() << FileCallName(kind) << " call " << k);
            { std::ofstream(csvPath, std::ios::binary | std::ios::trunc) << OldCsv; }
            desktop.calls.clear();
            FailingFiles files;
            files.failAt(kind, k, 112);
            EXPECT_FALSE(yby.writeCsv(QString::fromStdString(csvPath), files));
            EXPECT_EQ(desktop.errors().size(), 1u);
            EXPECT_EQ(ScratchFolder::read(csvPath), OldCsv);
            EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 1);
        }
    }
    // A PDF written in full, and one whose write fails.
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(folder.filePath("plan.pdf"));
    desktop.calls.clear();
    yby.printOn(printer);
    EXPECT_TRUE(desktop.calls.empty());
    const std::string pdf = ScratchFolder::read(folder.filePath("plan.pdf").toStdString());
    EXPECT_EQ(pdf.substr(0, 5), "%PDF-");
    EXPECT_NE(pdf.find("%%EOF"), std::string::npos) << "the PDF is complete";
    FailingFiles files;
    files.failAt(FileCall::Write, 1, 5);
    yby.printOn(printer, files);
    EXPECT_EQ(desktop.errors().size(), 1u);
    EXPECT_EQ(ScratchFolder::read(folder.filePath("plan.pdf").toStdString()), pdf);
}

TEST_F(CompleteFiles, TheSettingsFileOnAFullDiskIsReportedAndKeptAtClose) {
    FullDisk disk({{"nestora.fig", DefaultSettingsFile}});
    if (!disk.ready()) GTEST_SKIP() << disk.whyNot();
    window = std::make_unique<TNestoraF>(desktop, SettingsLocation{disk.file("nestora.fig"), {}});
    window->show();
    edit("Edit11").setText("30");
    QCloseEvent event;
    QApplication::sendEvent(window.get(), &event);
    EXPECT_FALSE(event.isAccepted());
    EXPECT_EQ(desktop.errors(), std::vector<std::string>{window->title() + "|I/O error 112."});
    EXPECT_EQ(desktop.questions().size(), 1u);
    EXPECT_EQ(ScratchFolder::read(disk.file("nestora.fig")), DefaultSettingsFile);
    desktop.answer = true;  // Close Without Saving
    window->close();
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(ScratchFolder::read(disk.file("nestora.fig")), DefaultSettingsFile);
}

TEST_F(CompleteFiles, YearByYearSettingsThatCannotBeWrittenAreReportedOnce) {
    YearByYearWindow& yby = open();
    // The folder of the file made read-only: QSettings cannot put its new
    // file there (root included, for a file of mode 0444 is not the point:
    // the folder is made a file instead).
    const QString folder = conf_->filePath("nestora");
    QDir().rmdir(folder);
    QFile::remove(folder);
    {
        QFile blocker(folder);
        ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    }
    desktop.calls.clear();
    yby.hide();
    EXPECT_TRUE(desktop.calls.empty()) << "the box waits until the hide is over";
    QTRY_COMPARE(desktop.errors().size(), std::size_t(1));
    EXPECT_NE(desktop.errors()[0].find("year-by-year.conf"), std::string::npos);
}

TEST_F(CompleteFiles, YearByYearSettingsThatAreNoFileAreLeftAloneAndSaidSoAtOnce) {
    ASSERT_TRUE(QDir().mkpath(conf_->filePath("nestora")));
    const std::string fifo = conf_->filePath("nestora/year-by-year.conf").toStdString();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    YearByYearWindow& yby = open();  // would block for ever reading the pipe
    EXPECT_EQ(yby.simulation().volatilityBox().value(), 12) << "the defaults";
    QTRY_COMPARE(desktop.errors().size(), std::size_t(1));
    EXPECT_NE(desktop.errors()[0].find("is not an ordinary file"), std::string::npos);
    yby.hide();
    QTest::qWait(50);
    EXPECT_EQ(desktop.errors().size(), 1u) << "said once; the pipe is never written";
    struct stat info {};
    ASSERT_EQ(::lstat(fifo.c_str(), &info), 0);
    EXPECT_TRUE(S_ISFIFO(info.st_mode));
}

}  // namespace
}  // namespace nestora::testing
