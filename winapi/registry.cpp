// placeholder until the registry layer lands
