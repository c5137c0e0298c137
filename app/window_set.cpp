#include "app/window_set.h"

namespace kestrani {

WindowSet::WindowSet(const ScreenMetrics* screen) : screen_(screen ? *screen : realScreen_) {
    kestrani_ = std::make_unique<TKestrani>(screen_, state_, messages_);
    kestrani_->show();
    form2_ = std::make_unique<TForm2>(screen_);
    submCheck_ = std::make_unique<TSubmCheck>(screen_);
    form1_ = std::make_unique<TForm1>(screen_);
    form3_ = std::make_unique<TForm3>(screen_);
    form4_ = std::make_unique<TForm4>(screen_);
    form5_ = std::make_unique<TForm5>(screen_);
    form5_->setConfigurationWindow(kestrani_.get());
    form5_->show();
    form5_->raise();
    form5_->activateWindow();

    exerciseWindows_.reset(new ExerciseWindows{*submCheck_, *form2_, *form1_, *form4_, *form3_});
    engine_ = std::make_unique<ExerciseEngine>(kestrani_->settings(), state_, random_, *exerciseWindows_, messages_,
                                               wait_, *submCheck_->Timer1, *submCheck_->Timer2);
    router_ = std::make_unique<ClickRouter>(state_, *exerciseWindows_, *engine_);
    submCheck_->Timer1->setTickHandler([this] { engine_->timer1Tick(); });
    submCheck_->Timer2->setTickHandler([this] { engine_->timer2Tick(); });
    submCheck_->setActions(engine_.get());
    form2_->setRouter(router_.get());
    form1_->setRouter(router_.get());
    form4_->setRouter(router_.get());
    form3_->setRouter(router_.get(), engine_.get());
    kestrani_->connectWindows(engine_.get(), form5_.get(),
                              {form5_.get(), form1_.get(), form2_.get(), form3_.get(), form4_.get(), submCheck_.get()});
}

WindowSet::~WindowSet() = default;

}  // namespace kestrani
