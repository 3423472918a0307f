#pragma once

#include <QString>

#include <functional>

namespace Kelbrix {

class LabelSource;

/// The stop question of a TIFF export (see confirmBatchStop()): asked at the export's checks
/// when Escape or Cancel was pressed and, while an EarlyStop lives, already while a step's work
/// runs, so the user need not wait for the step. An answer given while a step ran counts at
/// the next check, where the question would have been asked.
class TiffStopQuestion {
public:
    /// \a beforeAsking runs just before the question is asked (the export tells the files made
    /// before it).
    TiffStopQuestion(LabelSource &source, std::function<void()> beforeAsking);
    TiffStopQuestion(const TiffStopQuestion &) = delete;
    TiffStopQuestion &operator=(const TiffStopQuestion &) = delete;

    /// The check: lets the window see Escape and Cancel, then, when they were pressed, asks
    /// \a question, unless it was answered Yes while a step ran. True when the export is to
    /// stop; on No the batch runs on (BatchStopRequest is Running again). False without a
    /// question when nothing was pressed.
    bool stopAsked(const QString &question);
    /// Called while a step's work runs: asks the question (the batch's) at once when Escape or
    /// Cancel was pressed, an EarlyStop lives and no copy is being handed to the writer. A Yes
    /// is kept for the next stopAsked(); a No lets the batch run on.
    void answerWhileWorking();

    /// While one lives, a batch runs whose stop question may be asked while a step works; once
    /// it goes, an answer not yet used is forgotten.
    class EarlyStop {
    public:
        explicit EarlyStop(TiffStopQuestion &question);
        ~EarlyStop();
        EarlyStop(const EarlyStop &) = delete;
        EarlyStop &operator=(const EarlyStop &) = delete;

    private:
        TiffStopQuestion &m_question;
    };

    /// While one lives, a copy is being handed to the writer and its file is not yet among the
    /// pending ones: the question waits for the next chance.
    class Handing {
    public:
        explicit Handing(TiffStopQuestion &question);
        ~Handing();
        Handing(const Handing &) = delete;
        Handing &operator=(const Handing &) = delete;

    private:
        TiffStopQuestion &m_question;
    };

private:
    LabelSource &m_source;
    std::function<void()> m_beforeAsking;
    /// An EarlyStop lives.
    bool m_early = false;
    /// The question was answered Yes while a step ran.
    bool m_answered = false;
    /// The question is being asked while a step runs.
    bool m_asking = false;
    /// A Handing lives.
    bool m_handing = false;
};

} // namespace Kelbrix
