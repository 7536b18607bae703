// INextStoneViewFactory: makes the next-stone views that the level list picks
// for a level. The views are the game's; the game controller implements this,
// so the level list chooses the kind of view without knowing the game.
#ifndef INEXTSTONEVIEWFACTORY_H
#define INEXTSTONEVIEWFACTORY_H

class CNextStoneView;

class INextStoneViewFactory
{
public:
    virtual ~INextStoneViewFactory() {}

    // An endless supply of random colours that are still on the board.
    virtual CNextStoneView* CreateRandomNextStoneView() = 0;
    // A finite stack of the given types, offered in their order.
    virtual CNextStoneView* CreateNextStoneStackView(int count, int* types) = 0;
};

#endif
