// placeholder until the host lands
