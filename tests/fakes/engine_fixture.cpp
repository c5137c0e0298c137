#include "fakes/engine_fixture.h"

namespace kestrani::fakes {

EngineFixture::EngineFixture() {
    timer1.onTick = [this] { engine.timer1Tick(); };
    timer2.onTick = [this] { engine.timer2Tick(); };
    engine.setClock(clock);
}

}  // namespace kestrani::fakes
